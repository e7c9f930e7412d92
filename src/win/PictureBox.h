#pragma once
// A child window that shows a picture from its top-left corner, cut off at its own size.

#include <windows.h>

class PictureBox {
 public:
  PictureBox() = default;
  ~PictureBox();
  PictureBox(const PictureBox&) = delete;
  PictureBox& operator=(const PictureBox&) = delete;

  bool Create(HWND parent, int x, int y, int width, int height);
  // Takes ownership of the bitmap; the previous picture is deleted.
  void SetPicture(HBITMAP picture);
  HBITMAP Picture() const { return picture_; }
  HWND Handle() const { return window_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Paint(HDC dc) const;

  HWND window_ = nullptr;
  HBITMAP picture_ = nullptr;
};
