#include "win/WindowSubclass.h"

WindowSubclass::~WindowSubclass() { Unsubclass(); }

bool WindowSubclass::Unsubclass() {
  if (!IsSubclassed()) return false;
  // A failed Subclass left no procedure to return to; installing a null procedure would
  // crash the window at its next message.
  if (previous_) SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
  window_ = nullptr;
  return true;
}

bool WindowSubclass::Subclass(HWND window, WNDPROC newProcedure) {
  if (IsSubclassed()) Unsubclass();
  window_ = window;
  previous_ =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(newProcedure)));
  return previous_ != nullptr;
}

LRESULT WindowSubclass::CallPrevious(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const {
  return CallWindowProcW(previous_, window, message, wParam, lParam);
}

int WindowSubclass::LowWord(LPARAM value) const {
  if (!IsSubclassed()) return 0;
  return static_cast<int>(static_cast<DWORD>(value) & 0xFFFF);
}

int WindowSubclass::HighWord(LPARAM value) const {
  if (!IsSubclassed()) return 0;
  return static_cast<int>(static_cast<LONG>(value) >> 16);
}

HDC WindowSubclass::BeginPainting(int& left, int& top, int& right, int& bottom) {
  if (!IsSubclassed()) return nullptr;
  HDC dc = BeginPaint(window_, &paint_);
  left = paint_.rcPaint.left;
  top = paint_.rcPaint.top;
  right = paint_.rcPaint.right;
  bottom = paint_.rcPaint.bottom;
  return dc;
}

bool WindowSubclass::EndPainting() {
  if (!IsSubclassed()) return false;
  return EndPaint(window_, &paint_) != FALSE;
}

bool WindowSubclass::TrackMouseLeave() {
  if (!IsSubclassed()) return false;
  TRACKMOUSEEVENT track{};
  track.cbSize = sizeof track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = window_;
  track.dwHoverTime = 0;
  TrackMouseEvent(&track);
  return true;
}

bool WindowSubclass::CaptureMouse() {
  if (!IsSubclassed()) return false;
  if (GetCapture() != window_) SetCapture(window_);
  return true;
}

bool WindowSubclass::ReleaseMouse() {
  if (!IsSubclassed() || GetCapture() != window_) return false;
  ReleaseCapture();
  return true;
}

HWND WindowSubclass::GetMouseCapture() const {
  if (!IsSubclassed()) return nullptr;
  return GetCapture();
}
