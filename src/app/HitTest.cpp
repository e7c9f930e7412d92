#include "app/HitTest.h"

#include "app/AnnotationSession.h"
#include "app/CaptureOverlay.h"
#include "app/Desktop.h"

namespace {

bool Near(int value, int edge) { return edge - 2 <= value && value <= edge + 2; }

}  // namespace

bool StrictlyInside(const ScreenRect& rect, int x, int y) {
  return rect.left < x && x < rect.right && rect.top < y && y < rect.bottom;
}

HitZone SelectionZoneAt(const ScreenRect& s, int x, int y) {
  if (!(s.left - 2 <= x && x <= s.right + 2 && s.top - 2 <= y && y <= s.bottom + 2)) return HitZone::Outside;
  // Later rules win, so corners override edges and edges override the inside.
  HitZone zone = HitZone::Outside;
  if (s.left + 2 < x && x < s.right - 2 && s.top + 2 < y && y < s.bottom - 2) zone = HitZone::Inside;
  if (Near(y, s.top)) zone = HitZone::Top;
  if (Near(y, s.bottom)) zone = HitZone::Bottom;
  if (Near(x, s.left)) {
    zone = Near(y, s.top) ? HitZone::TopLeft : Near(y, s.bottom) ? HitZone::BottomLeft : HitZone::Left;
  } else if (Near(x, s.right)) {
    zone = Near(y, s.top) ? HitZone::TopRight : Near(y, s.bottom) ? HitZone::BottomRight : HitZone::Right;
  }
  return zone;
}

namespace {

// Inside the selection a press moves it, or draws with the armed tool.
const char* InsidePointer() {
  switch (ArmedTool()) {
    case ToolKind::None: return IDC_SIZEALL;
    case ToolKind::Text: return IDC_IBEAM;
    default: return IDC_CROSS;
  }
}

}  // namespace

HCURSOR PointerFor(HitZone zone) {
  const char* shape = nullptr;
  switch (zone) {
    case HitZone::Inside: shape = InsidePointer(); break;
    case HitZone::Top: case HitZone::Bottom: shape = IDC_SIZENS; break;
    case HitZone::Left: case HitZone::Right: shape = IDC_SIZEWE; break;
    case HitZone::TopLeft: case HitZone::BottomRight: shape = IDC_SIZENWSE; break;
    case HitZone::TopRight: case HitZone::BottomLeft: shape = IDC_SIZENESW; break;
    case HitZone::Outside: return OverlayCursor();
    default: shape = IDC_ARROW; break;
  }
  return LoadCursorA(nullptr, shape);
}

void SetZone(HitZone zone) {
  Capture().zone = zone;
  TheOverlay().SetMousePointer(PointerFor(zone));
}

void HitTest(int x, int y) {
  CaptureState& state = Capture();
  if (state.pressLocked == 1 || state.selectionMade == 0) return;
  if (x == state.lastCursorX && y == state.lastCursorY) return;
  // Noted first: setting the pointer asks which window is under the cursor, which sends the
  // overlay a WM_NCHITTEST, whose hit test would otherwise see a new point and set the pointer
  // again, and again (over a hundred levels deep under Wine, a push of the canvas at each).
  state.lastCursorX = x;
  state.lastCursorY = y;
  SetZone(SelectionZoneAt(state.SelectionRect, x, y));
  // The style bar goes with the toolbar.
  if (StrictlyInside(state.ToolbarRect, x, y) || StrictlyInside(state.StyleBarRect, x, y)) SetZone(HitZone::Toolbar);
  if (StrictlyInside(state.MenuRect, x, y)) SetZone(HitZone::Menu);
}

void ChooseMode() {
  POINT cursor = CursorPosition();
  HitTest(cursor.x, cursor.y);
  CaptureState& state = Capture();
  if (state.pressLocked == 1) return;
  if (state.selectionMade == 0) {
    state.mode = CaptureMode::Draw;
  } else if (state.zone == HitZone::Inside) {
    state.mode = CaptureMode::Drag;
  } else if (IsHandle(state.zone)) {
    state.grabbedZone = state.zone;
    state.mode = CaptureMode::Adjust;
  } else {
    state.mode = CaptureMode::None;
    state.grabbedZone = HitZone::None;
  }
}
