#include "app/AnnotationInput.h"

#include "app/AnnotationSession.h"
#include "app/CaptureOverlay.h"
#include "app/CaptureState.h"
#include "app/Desktop.h"
#include "app/Globals.h"
#include "app/OverlayRedraw.h"
#include "app/SelectionRenderer.h"
#include "app/SelectionTracking.h"
#include "app/Toolbar.h"

namespace {

GxPointF Cursor() {
  const POINT cursor = CursorPosition();
  return GxPointF{static_cast<float>(cursor.x), static_cast<float>(cursor.y)};
}

// What changes while the button is held: the selection with the shape under way, and the
// toolbar over it.
void RedrawWhileDrawing() {
  RedrawSelection(RedrawAction::KeepRects);
  ToolbarDispatch(ToolbarAction::None);
}

bool Press(AnnotationTool& tool) {
  CaptureState& state = Capture();
  if (state.menuShown == 1) return false;  // the press only closes the menu
  if (state.selectionMade != 1 || state.zone != HitZone::Inside) {
    // Off the selection an open text box is done with; the toolbars' commands see to it
    // themselves, and the style bar restyles it.
    if (tool.Working() && state.zone != HitZone::Toolbar) {
      KeepOpenWork();
      RedrawOverlay();
    }
    return false;
  }
  if (std::optional<Shape> closed = tool.Press(Cursor(), ChosenStyle())) KeepShape(std::move(*closed));
  state.buttonDown = 1;
  state.pressLocked = 1;  // the zone and the pointer stay as they are until the release
  Objects().OverlaySubclass.CaptureMouse();
  RedrawWhileDrawing();
  return true;
}

void Release(AnnotationTool& tool) {
  if (std::optional<Shape> shape = tool.Release()) KeepShape(std::move(*shape));
  ResetDrag();
  Objects().OverlaySubclass.ReleaseMouse();
  RedrawOverlay();
}

}  // namespace

bool AnnotationTakesMouse(UINT message, WPARAM wParam, LPARAM lParam) {
  AnnotationTool* tool = ActiveTool();
  if (!tool) return false;
  switch (message) {
    case WM_LBUTTONDOWN:
      return Press(*tool);
    case WM_MOUSEMOVE:
      if (!tool->Pressed()) return false;
      tool->Move(Cursor(), (wParam & MK_SHIFT) != 0);
      RedrawWhileDrawing();
      return true;
    case WM_LBUTTONUP:
      if (!tool->Pressed()) return false;
      Release(*tool);
      return true;
    case WM_CAPTURECHANGED:
      // The mouse was taken from the drawing: it ends there, as if the button had been released.
      if (!tool->Pressed() || reinterpret_cast<HWND>(lParam) == TheOverlay().Handle()) return false;
      Release(*tool);
      return true;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      return tool->Pressed();  // not while drawing
    default:
      return false;
  }
}
