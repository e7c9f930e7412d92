#pragma once
// Plain windows at known places, for what the overlay finds on the screen.

#include <windows.h>

class TestWindow {
 public:
  // A borderless visible top-level window at (x, y), in front of the other ordinary windows.
  TestWindow(int x, int y, int width, int height, const wchar_t* className = L"ScreenCutTestWindow");
  // A visible child window at (x, y) of its parent's client area.
  TestWindow(const TestWindow& parent, int x, int y, int width, int height);
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND Handle() const { return window_; }

 private:
  HWND window_ = nullptr;
};
