#pragma once
// Hover texts over rectangles of one window: a system tooltip control, made on first use and
// destroyed with its owner object. The window hands it its mouse messages (Relay), as a window
// that keeps its own procedure must.

#include <windows.h>

#include <map>
#include <string>

class Tooltips {
 public:
  Tooltips() = default;
  ~Tooltips();
  Tooltips(const Tooltips&) = delete;
  Tooltips& operator=(const Tooltips&) = delete;

  // `text` (UTF-8) shows while the mouse rests on `rect` (client pixels of `window`); an empty
  // rectangle shows it nowhere. The same id again moves the rectangle, the text stays its first.
  void Place(HWND window, UINT id, const RECT& rect, const std::string& text);
  // One of the window's mouse messages, for the control to follow the mouse.
  void Relay(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // The control; null until something was placed.
  HWND Control() const { return control_; }

 private:
  bool Make(HWND window);

  HWND control_ = nullptr;
  std::map<UINT, RECT> rects_;  // by id, as the control has them
};
