#include "app/Desktop.h"

namespace {

std::optional<POINT> fixedCursor;
std::optional<SIZE> fixedScreen;

}  // namespace

POINT CursorPosition() {
  if (fixedCursor) return *fixedCursor;
  POINT point{};
  GetCursorPos(&point);
  return point;
}

int ScreenWidth() { return fixedScreen ? fixedScreen->cx : GetSystemMetrics(SM_CXSCREEN); }
int ScreenHeight() { return fixedScreen ? fixedScreen->cy : GetSystemMetrics(SM_CYSCREEN); }

void OverrideCursorPosition(std::optional<POINT> position) { fixedCursor = position; }
void OverrideScreenSize(std::optional<SIZE> size) { fixedScreen = size; }
