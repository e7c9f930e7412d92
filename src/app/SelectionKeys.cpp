#include "app/SelectionKeys.h"

#include <algorithm>

#include "app/Desktop.h"
#include "app/HitTest.h"
#include "app/OverlayWindowProc.h"
#include "output/Commands.h"

namespace {

bool Held(int key) { return (GetKeyState(key) & 0x8000) != 0; }

// The step of an arrow key; (0, 0) for any other key.
POINT ArrowStep(WPARAM key, int length) {
  switch (key) {
    case VK_LEFT: return POINT{-length, 0};
    case VK_RIGHT: return POINT{length, 0};
    case VK_UP: return POINT{0, -length};
    case VK_DOWN: return POINT{0, length};
    default: return POINT{0, 0};
  }
}

// How far [low, high) may move by `step` on an axis [0, screen) without going further off it.
int AllowedShift(int low, int high, int step, int screen) {
  if (step > 0) return std::min(step, std::max(0, screen - high));
  return std::max(step, std::min(0, -low));
}

// An edge moved outwards up to the screen's edge (not back from beyond it), or inwards down to
// two pixels from the opposite edge (not out from nearer).
std::int32_t MovedEdge(std::int32_t edge, std::int32_t opposite, int step, int screen) {
  if (step > 0) return std::max(edge, std::min(edge + step, screen));
  return std::min(edge, std::max(edge + step, opposite + 2));
}

void PointerKey(POINT step) {
  MovePointerBy(step.x, step.y);
  ChooseMode();
  OverlayPointerMoved();
}

void SelectionArrowKey(CaptureState& state, POINT step, bool edges) {
  const ScreenRect before = state.SelectionRect;
  state.SelectionRect = edges ? StretchedOnScreen(before, step.x, step.y, ScreenWidth(), ScreenHeight())
                              : MovedOnScreen(before, step.x, step.y, ScreenWidth(), ScreenHeight());
  if (state.SelectionRect == before) return;
  // Drawn as the pointer resting over the moved selection would draw it; then the zone under the
  // pointer, which the selection and its toolbar have moved under, is found afresh.
  OverlayPointerMoved();
  state.lastCursorX = state.lastCursorY = kNoCursor;
  ChooseMode();
}

}  // namespace

ScreenRect MovedOnScreen(const ScreenRect& s, int dx, int dy, int screenWidth, int screenHeight) {
  const int shiftX = AllowedShift(s.left, s.right, dx, screenWidth);
  const int shiftY = AllowedShift(s.top, s.bottom, dy, screenHeight);
  return ScreenRect{s.left + shiftX, s.top + shiftY, s.right + shiftX, s.bottom + shiftY};
}

ScreenRect StretchedOnScreen(const ScreenRect& s, int dx, int dy, int screenWidth, int screenHeight) {
  return ScreenRect{s.left, s.top, MovedEdge(s.right, s.left, dx, screenWidth),
                    MovedEdge(s.bottom, s.top, dy, screenHeight)};
}

bool SelectionKeyDown(WPARAM key) {
  CaptureState& state = Capture();
  const bool control = Held(VK_CONTROL);
  const POINT step = ArrowStep(key, Held(VK_SHIFT) ? 10 : 1);
  if (step.x != 0 || step.y != 0) {
    if (state.selectionMade != 1) {
      PointerKey(step);
    } else if (state.buttonDown != 1 && state.menuShown != 1) {
      SelectionArrowKey(state, step, control);
    }
    return true;
  }
  if (state.selectionMade != 1) return false;
  if (key == VK_RETURN || (control && key == 'C')) {
    FinishCapture();
    return true;
  }
  if (control && key == 'S') {
    SaveCapture();
    return true;
  }
  return false;
}
