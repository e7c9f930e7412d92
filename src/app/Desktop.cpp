#include "app/Desktop.h"

#include <windowsx.h>

namespace {

std::optional<POINT> fixedCursor;
std::optional<SIZE> fixedScreen;

}  // namespace

// Where the cursor was when the message being handled happened. Reading the live position
// instead would anchor a quick press-and-drag wherever the pointer has got to by the time the
// queued press is handled, which is far off when a frame is slow to draw.
POINT CursorPosition() {
  if (fixedCursor) return *fixedCursor;
  const DWORD position = GetMessagePos();
  return POINT{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
}

int ScreenWidth() { return fixedScreen ? fixedScreen->cx : GetSystemMetrics(SM_CXSCREEN); }
int ScreenHeight() { return fixedScreen ? fixedScreen->cy : GetSystemMetrics(SM_CYSCREEN); }

void OverrideCursorPosition(std::optional<POINT> position) { fixedCursor = position; }
void OverrideScreenSize(std::optional<SIZE> size) { fixedScreen = size; }
