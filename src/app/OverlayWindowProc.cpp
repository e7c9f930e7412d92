#include "app/OverlayWindowProc.h"

#include "app/CaptureState.h"
#include "app/Desktop.h"
#include "app/FrameDamage.h"
#include "app/Globals.h"
#include "app/HitTest.h"
#include "app/Layers.h"
#include "app/Magnifier.h"
#include "app/SelectionRenderer.h"
#include "app/SelectionTracking.h"
#include "app/Toolbar.h"
#include "output/Commands.h"
#include "output/ContextMenu.h"

namespace {

void CloseMenu(CaptureState& state) {
  state.menuShown = 0;
  state.MenuRect = ScreenRect{};
  RedrawSelection(RedrawAction::ClearRects);
  ToolbarDispatch(ToolbarAction::None);
}

void OnKeyDown(WPARAM key) {
  if (key == VK_ESCAPE) CancelCapture();
}

void OnMouseMove() {
  CaptureState& state = Capture();
  if (state.buttonDown != 1) {
    if (state.selectionMade == 1) {
      RedrawSelection(RedrawAction::KeepRects);
      ToolbarDispatch(ToolbarAction::None);
      if (state.menuShown) {
        ContextMenu(MenuAction::Hover);
      } else {
        ToolbarDispatch(ToolbarAction::Hover);
      }
    } else {
      RepaintBase();
      PlaceMagnifier();
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
    CloseMenu(state);  // a press anywhere off the menu only closes it
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
}

void OnLeftButtonUp() {
  ResetDrag();
  CaptureState& state = Capture();
  switch (state.mode) {
    case CaptureMode::Draw:
      if (state.skipNextRelease == 1) {
        state.skipNextRelease = 0;  // the release of the click that chose "reselect"
        break;
      }
      state.selectionMade = 1;
      RedrawSelection(RedrawAction::ClearRects);
      ToolbarDispatch(ToolbarAction::None);
      break;
    case CaptureMode::Adjust:
      RedrawSelection(RedrawAction::ClearRects);
      ToolbarDispatch(ToolbarAction::None);
      break;
    case CaptureMode::Drag:
      ToolbarDispatch(ToolbarAction::None);
      break;
    case CaptureMode::None:
      break;
  }
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
        CloseMenu(state);
      }
      break;
  }
}

}  // namespace

LRESULT CALLBACK OverlayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  MessageFrame frame;
  ChooseMode();
  switch (message) {
    case WM_KEYDOWN: OnKeyDown(wParam); break;
    case WM_MOUSEMOVE: OnMouseMove(); break;
    case WM_LBUTTONDOWN: OnLeftButtonDown(); break;
    case WM_LBUTTONUP: OnLeftButtonUp(); break;
    case WM_LBUTTONDBLCLK: OnLeftDoubleClick(); break;
    case WM_RBUTTONUP: OnRightButtonUp(); break;
    default: break;
  }
  PresentFrame();
  return Objects().OverlaySubclass.CallPrevious(window, message, wParam, lParam);
}
