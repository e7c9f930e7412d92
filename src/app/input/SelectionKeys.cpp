#include "app/input/SelectionKeys.h"

#include <algorithm>

#include "app/capture/CaptureSession.h"
#include "app/desktop/Desktop.h"
#include "app/input/Commands.h"
#include "app/input/HitTest.h"
#include "app/input/SelectionTracking.h"
#include "app/render/Toolbar.h"

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

// The pointer moves as the mouse would move it: a drawing under way follows.
void PointerKey(CaptureSession& session, POINT step) {
  const POINT to = MovePointerBy(step.x, step.y);
  FollowDrag(session.state, to, ScreenWidth(), ScreenHeight());
}

void SelectionArrowKey(CaptureSession& session, POINT step, bool edges) {
  CaptureState& state = session.state;
  const ScreenRect before = state.SelectionRect;
  state.SelectionRect = edges ? StretchedOnScreen(before, step.x, step.y, ScreenWidth(), ScreenHeight())
                              : MovedOnScreen(before, step.x, step.y, ScreenWidth(), ScreenHeight());
  if (state.SelectionRect == before) return;
  // The zone under the pointer, which the selection and its toolbar have moved under, is found
  // afresh.
  PlaceToolbars(session);
  state.lastCursor.reset();
  HitTest(session, CursorPosition());
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

bool SelectionKeyDown(CaptureSession& session, WPARAM key) {
  const CaptureState& state = session.state;
  const bool control = Held(VK_CONTROL);
  const POINT step = ArrowStep(key, Held(VK_SHIFT) ? 10 : 1);
  if (step.x != 0 || step.y != 0) {
    if (!state.SelectionMade()) {
      PointerKey(session, step);
    } else if (state.Is<modes::Selected>()) {
      SelectionArrowKey(session, step, control);
    }
    return true;
  }
  if (!state.SelectionMade()) return false;
  if (key == VK_RETURN || (control && key == 'C')) {
    Execute(session, Command::Finish);
    return true;
  }
  if (control && key == 'S') {
    Execute(session, Held(VK_SHIFT) ? Command::QuickSave : Command::Save);
    return true;
  }
  // A tool's letter arms it (or disarms it) while no text box takes the letter as text.
  const AnnotationTool* tool = session.annotations.Tool();
  if (control || Held(VK_MENU) || (tool && tool->Typing()) || !state.Is<modes::Selected>()) return false;
  if (const std::optional<Command> command = ToolKeyCommand(key)) {
    Execute(session, *command);
    return true;
  }
  return false;
}
