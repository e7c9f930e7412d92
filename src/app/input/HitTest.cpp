#include "app/input/HitTest.h"

#include "app/canvas/EmbeddedAssets.h"
#include "app/capture/CaptureSession.h"

namespace {

bool Near(int value, int edge) { return edge - 2 <= value && value <= edge + 2; }

// Inside the selection a press moves it, or draws with the armed tool.
const char* InsidePointer(ToolKind armed) {
  switch (armed) {
    case ToolKind::None: return IDC_SIZEALL;
    case ToolKind::Text: return IDC_IBEAM;
    default: return IDC_CROSS;
  }
}

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

HCURSOR PointerFor(HitZone zone, ToolKind armed) {
  const char* shape = nullptr;
  switch (zone) {
    case HitZone::Inside: shape = InsidePointer(armed); break;
    case HitZone::Top: case HitZone::Bottom: shape = IDC_SIZENS; break;
    case HitZone::Left: case HitZone::Right: shape = IDC_SIZEWE; break;
    case HitZone::TopLeft: case HitZone::BottomRight: shape = IDC_SIZENWSE; break;
    case HitZone::TopRight: case HitZone::BottomLeft: shape = IDC_SIZENESW; break;
    case HitZone::Outside: return OverlayCursor();
    default: shape = IDC_ARROW; break;
  }
  return LoadCursorA(nullptr, shape);
}

void SetZone(CaptureSession& session, HitZone zone) {
  session.state.zone = zone;
  session.SetPointer(PointerFor(zone, session.annotations.Armed()));
}

void HitTest(CaptureSession& session, POINT cursor) {
  CaptureState& state = session.state;
  if (state.PressLocked() || !state.SelectionMade()) return;
  if (state.lastCursor && state.lastCursor->x == cursor.x && state.lastCursor->y == cursor.y) return;
  // Noted first: setting the pointer asks which window is under the cursor, which sends the
  // overlay a WM_NCHITTEST, whose hit test would otherwise see a new point and set the pointer
  // again, and again (over a hundred levels deep under Wine, a push of the canvas at each).
  state.lastCursor = cursor;
  SetZone(session, SelectionZoneAt(state.SelectionRect, cursor.x, cursor.y));
  // The tools box and the style bar go with the toolbar.
  if (StrictlyInside(state.ToolbarRect, cursor.x, cursor.y) || StrictlyInside(state.ToolsBoxRect, cursor.x, cursor.y) ||
      StrictlyInside(state.StyleBarRect, cursor.x, cursor.y))
    SetZone(session, HitZone::Toolbar);
  if (StrictlyInside(state.MenuRect, cursor.x, cursor.y)) SetZone(session, HitZone::Menu);
}
