#include "app/input/OverlayWindowProc.h"

#include <windowsx.h>

#include <exception>

#include "app/capture/CaptureSession.h"
#include "win/CommandLatch.h"
#include "app/desktop/Monitors.h"
#include "app/desktop/WindowCandidate.h"
#include "app/input/AnnotationInput.h"
#include "app/input/ColourKeys.h"
#include "app/input/Commands.h"
#include "app/input/HitTest.h"
#include "app/input/SelectionKeys.h"
#include "app/input/SelectionTracking.h"
#include "app/render/Render.h"
#include "app/render/StyleBar.h"
#include "app/render/Toolbar.h"
#include "gx/GxText.h"
#include "output/ContextMenu.h"

namespace {

void ShowUnexpectedFailure(HWND owner, const std::string& what) {
  const std::string text = "截图时发生意外错误，本次截图已结束。\r\n\r\n" + what;
  MessageBoxW(owner, Utf8ToWide(text).c_str(), L"截图", MB_OK | MB_ICONERROR);
}

bool IsMouseMessage(UINT message) {
  switch (message) {
    case WM_MOUSEMOVE: case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK:
      return true;
    default:
      return false;
  }
}

// The point a message is about, on the canvas: a mouse message's client coordinates are, the
// cursor's screen position is not. A point between monitors counts as the nearest one shown.
POINT MessagePoint(const CaptureSession& session, UINT message, LPARAM lParam) {
  if (IsMouseMessage(message)) return session.desktop.KeptOffGaps(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
  return session.CursorOnCanvas();
}

void Grab(CaptureSession& session, Mode mode) {
  session.state.mode = std::move(mode);
  // A drag holds the mouse, so its release comes back here wherever it happens.
  session.subclass.CaptureMouse();
}

void OnKeyDown(CaptureSession& session, WPARAM key, LPARAM flags) {
  if (AnnotationTakesKey(session, key) || ColourKeyDown(session, key, flags)) return;
  if (!CaptureOpen() || SelectionKeyDown(session, key)) return;
  if (key == VK_ESCAPE) Execute(session, Command::Cancel);
}

void OnMenuPress(CaptureSession& session, POINT at) {
  const ScreenRect& menu = session.state.MenuRect;
  const MenuHit hit = MenuRowAt(at.x - menu.left, at.y - menu.top);
  const std::optional<Command> command = MenuCommand(hit.row);
  if (!command) return;
  // Whatever the row does, the menu has done its part.
  session.state.CloseMenu();
  Execute(session, *command);
}

void OnToolbarPress(CaptureSession& session, POINT at) {
  const CaptureState& state = session.state;
  if (ChooseFromStyleBar(session, StyleBarHitAt(state.StyleBarRect, at))) return;
  if (const std::optional<Command> command = ToolbarCommand(ToolbarsHitAt(state, at).code))
    Execute(session, *command);
}

// A press acts on what it lands on: the menu, a bar, a handle, the inside or, with no selection
// yet, the screen where a new one starts. A press anywhere else does nothing, and neither does
// its drag, wherever it goes.
void OnLeftButtonDown(CaptureSession& session, POINT at) {
  CaptureState& state = session.state;
  if (state.MenuShown()) {
    // A press off the menu only closes it: until its release the mouse merely hovers, even over
    // the selection, which it must not start moving.
    if (state.zone == HitZone::Menu) {
      OnMenuPress(session, at);
    } else {
      state.CloseMenu();
    }
  } else if (state.zone == HitZone::Toolbar) {
    OnToolbarPress(session, at);
  } else if (!state.SelectionMade()) {
    Grab(session, modes::Drawing{at, std::nullopt});
  } else if (state.zone == HitZone::Inside) {
    Grab(session, modes::Moving{});
  } else if (IsHandle(state.zone)) {
    Grab(session, modes::Resizing{state.zone, std::nullopt, std::nullopt});
  }
}

// A click selects the window under it, exactly; where there is none it selects nothing.
void PickWindow(CaptureSession& session, POINT at) {
  CaptureState& state = session.state;
  const auto window = CandidateAt(session.windows, at);
  if (!window) {
    state.SelectionRect = ScreenRect{};
    state.mode = modes::Looking{};
    return;
  }
  state.SelectionRect = *window;
  EnforceMinExtent(state.SelectionRect);  // a sliver of a window still gets handles to grab
  state.mode = modes::Selected{};
}

void OnLeftButtonUp(CaptureSession& session, POINT at) {
  CaptureState& state = session.state;
  if (auto* looking = state.As<modes::Looking>()) {
    looking->skipRelease = false;  // the release of the click that chose "reselect"
  } else if (const auto* drawing = state.As<modes::Drawing>()) {
    state.toolsHidden = false;  // a selection made anew brings back the tools the menu hid
    if (drawing->drawn && !IsClick(drawing->press, at)) {
      state.mode = modes::Selected{};
    } else {
      PickWindow(session, drawing->press);
    }
  } else if (state.Is<modes::Resizing>()) {
    state.toolsHidden = false;
    state.mode = modes::Selected{};
  } else if (state.Is<modes::Moving>()) {
    state.mode = modes::Selected{};
  }
  session.subclass.ReleaseMouse();
}

// The mouse was taken from a drag (another window took it, the system cancelled the drag): the
// drag ends there, as if the button had been released, so no press is left half done.
bool OnCaptureChanged(CaptureSession& session, LPARAM newOwner, POINT at) {
  if (!session.state.ButtonDown() || reinterpret_cast<HWND>(newOwner) == session.Window()) return false;
  OnLeftButtonUp(session, at);
  return true;
}

void OnLeftDoubleClick(CaptureSession& session) {
  if (session.state.SelectionMade()) Execute(session, Command::Finish);
}

void OpenMenu(CaptureSession& session, POINT at) {
  CaptureState& state = session.state;
  const POINT origin = OnMonitor(session.desktop.MonitorOnCanvasAt(at), at, MenuOrigin);
  state.MenuRect = ScreenRect{origin.x, origin.y, origin.x, origin.y};
  state.mode = modes::MenuOpen{};
  for (const ScreenRect& row : MenuRowHighlights()) session.images.PrepareMenuHighlight(row);
}

// Inside the selection the menu opens; outside it the selection goes, or with none the capture.
void OnRightButtonUp(CaptureSession& session, POINT at) {
  CaptureState& state = session.state;
  if (!state.SelectionMade()) {
    Execute(session, Command::Cancel);
  } else if (state.Is<modes::Selected>() || state.MenuShown()) {
    if (state.zone == HitZone::Inside) {
      OpenMenu(session, at);
    } else if (state.zone == HitZone::Outside) {
      Execute(session, Command::Reset);
    } else if (state.zone == HitZone::Toolbar && state.MenuShown()) {
      state.CloseMenu();
    }
  }
}

// True when the message is one the overlay acts on, so that the frame may have changed.
bool HandleMessage(CaptureSession& session, UINT message, WPARAM wParam, LPARAM lParam, POINT at) {
  if (AnnotationTakesMouse(session, message, wParam, lParam, at)) return true;
  switch (message) {
    case WM_KEYDOWN: OnKeyDown(session, wParam, lParam); return true;
    case WM_KEYUP: return ColourKeyUp(session, wParam);
    case WM_MOUSEMOVE: FollowDrag(session.state, at, session.monitors); return true;
    case WM_LBUTTONDOWN: OnLeftButtonDown(session, at); return true;
    case WM_LBUTTONUP: OnLeftButtonUp(session, at); return true;
    case WM_LBUTTONDBLCLK: OnLeftDoubleClick(session); return true;
    case WM_RBUTTONUP: OnRightButtonUp(session, at); return true;
    case WM_CAPTURECHANGED: return OnCaptureChanged(session, lParam, at);
    // Alt+F4, the system menu's close, another program's WM_CLOSE: all end the capture as Esc does.
    case WM_CLOSE: Execute(session, Command::Cancel); return true;
    default: return false;
  }
}

// The message's handling and the frame it leaves; false when it ended the capture.
bool Handle(CaptureSession& session, HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& typed) {
  const POINT at = MessagePoint(session, message, lParam);
  // Our own release of the mouse arrives inside the release's handling: it says nothing about
  // where the cursor is, and the release keeps the zone of its press.
  if (message != WM_CAPTURECHANGED) HitTest(session, at);
  typed = AnnotationTakesText(session, window, message, wParam, lParam);
  const bool acted = typed || HandleMessage(session, message, wParam, lParam, at);
  CaptureSession* still = CurrentSession();
  if (!still) return false;
  // A key may have moved the pointer.
  if (acted) Render(*still, IsMouseMessage(message) ? at : still->CursorOnCanvas());
  return true;
}

// Nothing thrown may cross into the system's code: the capture ends, the user is told.
void EndAfterFailure(HWND window, const char* what) {
  EndCapture();
  ReportUnexpectedFailure(window, what);
}

}  // namespace

std::function<void(HWND, const std::string&)> ReportUnexpectedFailure = ShowUnexpectedFailure;

LRESULT CALLBACK OverlayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  MessageFrame frame;
  CaptureSession* session = CurrentSession();
  if (!session) return DefWindowProcW(window, message, wParam, lParam);
  bool typed = false;
  if (IsMouseMessage(message)) session->tips.Relay(window, message, wParam, lParam);
  // Input that reaches us from inside a running command (the save dialog's loop) is dropped.
  if (!CommandScope::Running()) {
    try {
      if (!Handle(*session, window, message, wParam, lParam, typed)) return 0;
    } catch (const std::exception& failure) {
      EndAfterFailure(window, failure.what());
      return 0;
    } catch (...) {
      EndAfterFailure(window, "");
      return 0;
    }
    session = CurrentSession();
  }
  if (message == WM_CLOSE) return 0;  // the window never closes by itself, only with its capture
  session->frame.Present();
  if (typed) return 0;  // the window's own procedure would turn it into more characters
  return session->subclass.CallPrevious(window, message, wParam, lParam);
}
