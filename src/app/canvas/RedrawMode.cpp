#include "app/canvas/RedrawMode.h"

namespace {

RedrawMode mode = RedrawMode::Damage;

}  // namespace

void SetRedrawMode(RedrawMode newMode) { mode = newMode; }
RedrawMode CurrentRedrawMode() { return mode; }
