#include "app/desktop/Desktop.h"

#include <windowsx.h>

#include "app/desktop/Monitors.h"

namespace {

std::optional<POINT> fixedCursor;

// Where MovePointerBy put the pointer, and the message it was handling then.
struct PlacedPointer {
  POINT at;
  DWORD messagePos;
  LONG messageTime;
};
std::optional<PlacedPointer> placed;

}  // namespace

// Where the cursor was when the message being handled happened. Reading the live position
// instead would anchor a quick press-and-drag wherever the pointer has got to by the time the
// queued press is handled, which is far off when a frame is slow to draw.
POINT CursorPosition() {
  if (fixedCursor) return *fixedCursor;
  const DWORD position = GetMessagePos();
  // Until the next message from the queue, the pointer is where we put it.
  if (placed && placed->messagePos == position && placed->messageTime == GetMessageTime()) return placed->at;
  placed.reset();
  return POINT{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
}

int ScreenWidth() { return MeasureDesktop().virtualRect.Width(); }
int ScreenHeight() { return MeasureDesktop().virtualRect.Height(); }

POINT MovePointerBy(int dx, int dy, const std::vector<ScreenRect>& monitors) {
  // From the live position: keys that repeat faster than frames are drawn queue up with the
  // position of their own moment, before the moves made for the keys ahead of them.
  POINT from{};
  if (fixedCursor) {
    from = *fixedCursor;
  } else {
    GetCursorPos(&from);
  }
  const POINT to = NearestShown(POINT{from.x + dx, from.y + dy}, monitors);
  if (fixedCursor) {
    fixedCursor = to;
  } else {
    SetCursorPos(to.x, to.y);
    placed = PlacedPointer{to, GetMessagePos(), GetMessageTime()};
  }
  return to;
}

void OverrideCursorPosition(std::optional<POINT> position) {
  fixedCursor = position;
  placed.reset();
}
void OverrideScreenSize(std::optional<SIZE> size) {
  OverrideDesktop(size ? std::optional<DesktopLayout>(DesktopLayout::Single(size->cx, size->cy)) : std::nullopt);
}
