#pragma once
// Replaces a window's procedure and keeps the one it had, so that the new procedure can hand
// every message on. Also wraps painting, mouse-leave tracking and mouse capture for that
// window. Everything but CallPrevious does nothing (false, 0, null) while no window is
// subclassed.

#include <windows.h>


class WindowSubclass {
 public:
  WindowSubclass() = default;
  ~WindowSubclass();
  WindowSubclass(const WindowSubclass&) = delete;
  WindowSubclass& operator=(const WindowSubclass&) = delete;

  // Puts the previous procedure back. The previous procedure stays known, so CallPrevious
  // keeps working.
  bool Unsubclass();
  // Unsubclasses first when a window is already subclassed. True when the system returned a
  // previous procedure; the window stays recorded either way.
  bool Subclass(HWND window, WNDPROC newProcedure);
  LRESULT CallPrevious(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const;

  // The two halves of a message parameter; the high half keeps its sign, so negative
  // coordinates stay negative.
  int LowWord(LPARAM value) const;
  int HighWord(LPARAM value) const;

  // One pair per WM_PAINT. BeginPainting hands out the update rectangle and the paint DC.
  HDC BeginPainting(int& left, int& top, int& right, int& bottom);
  bool EndPainting();
  // Asks for one WM_MOUSELEAVE when the cursor leaves the window.
  bool TrackMouseLeave();

  HWND GetWindow() const { return window_; }
  bool CaptureMouse();
  // Releases the capture only when this window holds it.
  bool ReleaseMouse();
  HWND GetMouseCapture() const;

 private:
  bool IsSubclassed() const { return window_ != nullptr; }

  WNDPROC previous_ = nullptr;
  PAINTSTRUCT paint_{};
  HWND window_ = nullptr;
};
