#include "app/OverlayWindowProc.h"

#include "app/AnnotationInput.h"
#include "app/CaptureLife.h"
#include "app/CaptureOverlay.h"
#include "app/CaptureState.h"
#include "app/CommandLatch.h"
#include "app/Desktop.h"
#include "app/FrameDamage.h"
#include "app/Globals.h"
#include "app/HitTest.h"
#include "app/Layers.h"
#include "app/Magnifier.h"
#include "app/OverlayRedraw.h"
#include "app/SelectionKeys.h"
#include "app/SelectionRenderer.h"
#include "app/SelectionTracking.h"
#include "app/Toolbar.h"
#include "app/WindowCandidate.h"
#include "output/Commands.h"
#include "output/ContextMenu.h"

namespace {

void OnKeyDown(WPARAM key) {
  if (AnnotationTakesKey(key)) return;
  if (SelectionKeyDown(key)) return;
  if (key == VK_ESCAPE) CancelCapture();
}

// Looking for a start point: the window a click would pick, if any, and the magnifier.
void ShowLooking() {
  RepaintBase();
  if (const auto window = CandidateAt(CursorPosition())) DrawCandidate(*window);
  PlaceMagnifier();
}

void OnMouseMove() {
  CaptureState& state = Capture();
  if (state.buttonDown != 1) {
    if (state.selectionMade == 1) {
      RedrawOverlay();
    } else {
      ShowLooking();
    }
    return;
  }
  const POINT cursor = CursorPosition();
  switch (state.mode) {
    case CaptureMode::Draw:
      TrackNewSelection(cursor.x, cursor.y);
      PlaceMagnifier();
      break;
    case CaptureMode::Adjust:
      AdjustSelection(cursor.x, cursor.y);
      PlaceMagnifier();
      break;
    case CaptureMode::Drag:
      AdjustSelection(cursor.x, cursor.y);
      ToolbarDispatch(ToolbarAction::None);
      break;
    case CaptureMode::None:
      break;
  }
}

void OnLeftButtonDown() {
  CaptureState& state = Capture();
  state.buttonDown = 1;
  if (state.menuShown == 1 && state.zone != HitZone::Menu) {
    // A press anywhere off the menu only closes it: until its release the mouse merely hovers,
    // even over the selection, which it must not start moving.
    CloseMenu();
    state.buttonDown = 0;
  } else if (state.zone == HitZone::Toolbar) {
    ToolbarDispatch(ToolbarAction::Press);
  } else if (state.zone == HitZone::Menu) {
    ContextMenu(MenuAction::Press);
  } else if (state.mode == CaptureMode::Draw) {
    const POINT cursor = CursorPosition();
    state.drag.anchorX = cursor.x;
    state.drag.anchorY = cursor.y;
  } else if (state.mode == CaptureMode::Adjust || state.mode == CaptureMode::Drag) {
    state.pressLocked = 1;
  }
  // A drag holds the mouse, so its release comes back here wherever it happens.
  if (CaptureOpen() && state.buttonDown == 1) Objects().OverlaySubclass.CaptureMouse();
}

// A click selects the window under it, exactly; where there is none it selects nothing.
void PickWindow(CaptureState& state, POINT at) {
  const auto window = CandidateAt(at);
  state.SelectionRect = window ? *window : ScreenRect{};
  if (!window) {
    ShowLooking();  // whatever a slight movement of the press drew goes
    return;
  }
  EnforceMinExtent(state.SelectionRect);  // a sliver of a window still gets handles to grab
  state.selectionMade = 1;
  RedrawSelection(RedrawAction::ClearRects);
  ToolbarDispatch(ToolbarAction::None);
}

void OnLeftButtonUp() {
  CaptureState& state = Capture();
  const bool pressed = state.buttonDown == 1;
  const POINT press{state.drag.anchorX, state.drag.anchorY};
  ResetDrag();
  switch (state.mode) {
    case CaptureMode::Draw:
      if (state.skipNextRelease == 1) {
        state.skipNextRelease = 0;  // the release of the click that chose "reselect"
        break;
      }
      state.toolsHidden = false;  // a selection made anew brings back the tools the menu hid
      if (pressed && !IsClick(press, CursorPosition())) {
        state.selectionMade = 1;
        RedrawSelection(RedrawAction::ClearRects);
        ToolbarDispatch(ToolbarAction::None);
      } else {
        PickWindow(state, press);
      }
      break;
    case CaptureMode::Adjust:
      state.toolsHidden = false;
      RedrawSelection(RedrawAction::ClearRects);
      ToolbarDispatch(ToolbarAction::None);
      break;
    case CaptureMode::Drag:
      ToolbarDispatch(ToolbarAction::None);
      break;
    case CaptureMode::None:
      break;
  }
  Objects().OverlaySubclass.ReleaseMouse();
}

// The mouse was taken from a drag (another window took it, the system cancelled the drag): the
// drag ends there, as if the button had been released, so no press is left half done.
void OnCaptureChanged(LPARAM newOwner) {
  if (Capture().buttonDown == 1 && reinterpret_cast<HWND>(newOwner) != TheOverlay().Handle()) OnLeftButtonUp();
}

void OnLeftDoubleClick() {
  if (Capture().selectionMade == 1) FinishCapture();
}

void OnRightButtonUp() {
  CaptureState& state = Capture();
  switch (state.mode) {
    case CaptureMode::Draw:
      CancelCapture();
      break;
    case CaptureMode::Adjust:
      break;
    case CaptureMode::Drag:
      RedrawSelection(RedrawAction::ClearRects);
      ToolbarDispatch(ToolbarAction::None);
      state.menuShown = 1;
      ContextMenu(MenuAction::Open);
      break;
    case CaptureMode::None:
      if (state.zone == HitZone::Outside) {
        if (state.selectionMade == 1) {
          ResetCapture();
        } else {
          CancelCapture();
        }
      } else if (state.zone == HitZone::Toolbar && state.menuShown == 1) {
        CloseMenu();
      }
      break;
  }
}

void HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (AnnotationTakesMouse(message, wParam, lParam)) return;
  switch (message) {
    case WM_KEYDOWN: OnKeyDown(wParam); break;
    case WM_MOUSEMOVE: OnMouseMove(); break;
    case WM_LBUTTONDOWN: OnLeftButtonDown(); break;
    case WM_LBUTTONUP: OnLeftButtonUp(); break;
    case WM_LBUTTONDBLCLK: OnLeftDoubleClick(); break;
    case WM_RBUTTONUP: OnRightButtonUp(); break;
    case WM_CAPTURECHANGED: OnCaptureChanged(lParam); break;
    // Alt+F4, the system menu's close, another program's WM_CLOSE: all end the capture as Esc does.
    case WM_CLOSE: CancelCapture(); break;
    default: break;
  }
}

}  // namespace

void OverlayPointerMoved() { OnMouseMove(); }

LRESULT CALLBACK OverlayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  MessageFrame frame;
  bool typed = false;
  // Input that reaches us from inside a running command (the save dialog's loop) is dropped.
  if (!CommandScope::Running()) {
    // Our own release of the mouse arrives inside the release's handling: it says nothing about
    // where the cursor is, and the release keeps the mode of its press.
    if (message != WM_CAPTURECHANGED) ChooseMode();
    typed = AnnotationTakesText(window, message, wParam, lParam);
    if (!typed) HandleMessage(message, wParam, lParam);
    // A command ended the capture: the window, the canvas and the procedure chain are gone.
    if (!CaptureOpen()) return 0;
  }
  if (message == WM_CLOSE) return 0;  // the window never closes by itself, only with its capture
  PresentFrame();
  if (typed) return 0;  // the window's own procedure would turn it into more characters
  return Objects().OverlaySubclass.CallPrevious(window, message, wParam, lParam);
}
