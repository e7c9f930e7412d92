#include "app/input/AnnotationInput.h"

#include "app/capture/CaptureSession.h"

namespace {

GxPointF PointF(POINT at) { return GxPointF{static_cast<float>(at.x), static_cast<float>(at.y)}; }

bool Press(CaptureSession& session, AnnotationTool& tool, POINT at) {
  CaptureState& state = session.state;
  if (state.MenuShown()) return false;  // the press only closes the menu
  if (!state.SelectionMade() || state.zone != HitZone::Inside) {
    // Off the selection an open text box is done with; the toolbars' commands see to it
    // themselves, the style bar restyles it, and a handle resizes the selection under it, the
    // box staying open for what is typed next.
    if (tool.Working() && state.zone != HitZone::Toolbar && !IsHandle(state.zone)) session.annotations.KeepOpenWork();
    return false;
  }
  if (std::optional<Shape> closed = tool.Press(PointF(at), ChosenStyle())) session.annotations.Keep(std::move(*closed));
  state.mode = modes::Annotating{};  // the zone and the pointer stay as they are until the release
  session.subclass.CaptureMouse();
  return true;
}

void Release(CaptureSession& session, AnnotationTool& tool) {
  if (std::optional<Shape> shape = tool.Release()) session.annotations.Keep(std::move(*shape));
  session.state.mode = modes::Selected{};
  session.subclass.ReleaseMouse();
}

}  // namespace

bool AnnotationTakesMouse(CaptureSession& session, UINT message, WPARAM wParam, LPARAM lParam, POINT at) {
  AnnotationTool* tool = session.annotations.Tool();
  if (!tool) return false;
  switch (message) {
    case WM_LBUTTONDOWN:
      return Press(session, *tool, at);
    case WM_MOUSEMOVE:
      if (!tool->Pressed()) return false;
      tool->Move(PointF(at), (wParam & MK_SHIFT) != 0);
      return true;
    case WM_LBUTTONUP:
      if (!tool->Pressed()) return false;
      Release(session, *tool);
      return true;
    case WM_CAPTURECHANGED:
      // The mouse was taken from the drawing: it ends there, as if the button had been released.
      if (!tool->Pressed() || reinterpret_cast<HWND>(lParam) == session.Window()) return false;
      Release(session, *tool);
      return true;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      return tool->Pressed();  // not while drawing
    default:
      return false;
  }
}
