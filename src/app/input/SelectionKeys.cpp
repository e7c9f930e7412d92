#include "app/input/SelectionKeys.h"

#include <algorithm>

#include "app/capture/CaptureSession.h"
#include "app/desktop/Desktop.h"
#include "app/desktop/Monitors.h"
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

// How far [low, high) may move by `step` on an axis [lowest, highest) without going further off it.
int AllowedShift(int low, int high, int step, int lowest, int highest) {
  if (step > 0) return std::min(step, std::max(0, highest - high));
  return std::max(step, std::min(0, lowest - low));
}

// An edge moved outwards up to the screen's edge (not back from beyond it), or inwards down to
// two pixels from the opposite edge (not out from nearer).
std::int32_t MovedEdge(std::int32_t edge, std::int32_t opposite, int step, int screen) {
  if (step > 0) return std::max(edge, std::min(edge + step, screen));
  return std::min(edge, std::max(edge + step, opposite + 2));
}

ScreenRect MovedWithin(const ScreenRect& s, int dx, int dy, const ScreenRect& box) {
  const int shiftX = AllowedShift(s.left, s.right, dx, box.left, box.right);
  const int shiftY = AllowedShift(s.top, s.bottom, dy, box.top, box.bottom);
  return ScreenRect{s.left + shiftX, s.top + shiftY, s.right + shiftX, s.bottom + shiftY};
}

ScreenRect StretchedWithin(const ScreenRect& s, int dx, int dy, const ScreenRect& box) {
  return ScreenRect{s.left, s.top, MovedEdge(s.right, s.left, dx, box.right), MovedEdge(s.bottom, s.top, dy, box.bottom)};
}

ScreenRect KeptOnMonitors(const ScreenRect& before, const ScreenRect& after, const std::vector<ScreenRect>& monitors) {
  return TouchesAny(after, monitors) ? after : before;
}

// The pointer moves as the mouse would move it: a drawing under way follows.
void PointerKey(CaptureSession& session, POINT step) {
  const POINT to = MovePointerBy(step.x, step.y, session.desktop.monitors);
  FollowDrag(session.state, session.desktop.ToCanvas(to), session.monitors);
}

// The selection's place changed under the pointer: the toolbar follows, and the zone under the
// pointer is found afresh.
void SelectionPlaced(CaptureSession& session) {
  PlaceToolbars(session);
  session.state.lastCursor.reset();
  HitTest(session, session.CursorOnCanvas());
}

void SelectionArrowKey(CaptureSession& session, POINT step, bool edges) {
  CaptureState& state = session.state;
  const ScreenRect before = state.SelectionRect;
  state.SelectionRect = edges ? StretchedOnDesktop(before, step.x, step.y, session.monitors)
                              : MovedOnDesktop(before, step.x, step.y, session.monitors);
  if (state.SelectionRect != before) SelectionPlaced(session);
}

// The monitor under the cursor; when it is selected already, the whole desktop.
void SelectAllKey(CaptureSession& session) {
  CaptureState& state = session.state;
  const ScreenRect monitor = session.desktop.MonitorOnCanvasAt(session.CursorOnCanvas());
  state.SelectionRect = state.SelectionMade() && state.SelectionRect == monitor ? BoundingBox(session.monitors) : monitor;
  state.toolsHidden = false;
  state.mode = modes::Selected{};
  SelectionPlaced(session);
}

}  // namespace

ScreenRect MovedOnScreen(const ScreenRect& s, int dx, int dy, int screenWidth, int screenHeight) {
  return MovedWithin(s, dx, dy, ScreenRect{0, 0, screenWidth, screenHeight});
}

ScreenRect StretchedOnScreen(const ScreenRect& s, int dx, int dy, int screenWidth, int screenHeight) {
  return StretchedWithin(s, dx, dy, ScreenRect{0, 0, screenWidth, screenHeight});
}

ScreenRect MovedOnDesktop(const ScreenRect& s, int dx, int dy, const std::vector<ScreenRect>& monitors) {
  return KeptOnMonitors(s, MovedWithin(s, dx, dy, BoundingBox(monitors)), monitors);
}

ScreenRect StretchedOnDesktop(const ScreenRect& s, int dx, int dy, const std::vector<ScreenRect>& monitors) {
  return KeptOnMonitors(s, StretchedWithin(s, dx, dy, BoundingBox(monitors)), monitors);
}

bool SelectionKeyDown(CaptureSession& session, WPARAM key) {
  const CaptureState& state = session.state;
  const bool control = Held(VK_CONTROL);
  const POINT step = ArrowStep(key, Held(VK_SHIFT) ? 10 : 1);
  if (control && key == 'A' && (state.Is<modes::Looking>() || state.Is<modes::Selected>())) {
    SelectAllKey(session);
    return true;
  }
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
  if (key == VK_F3 && !control) {
    Execute(session, Command::Pin);
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
