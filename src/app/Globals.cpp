#include "app/Globals.h"

#include "app/CaptureState.h"
#include "app/Startup.h"

namespace {

std::unique_ptr<Globals> objects;

}  // namespace

void CreateGlobals() {
  objects = std::make_unique<Globals>();
  Capture() = CaptureState{};
}

void ReleaseGlobals() { objects.reset(); }

Globals& Objects() { return *objects; }
bool GlobalsExist() { return objects != nullptr; }
