#pragma once
// One pinned capture: a topmost borderless window showing its own image at the place on the
// screen it was taken from, framed by a thin border outside the image (so at 100 % every image
// pixel sits exactly where it was). Drag moves it, the wheel zooms around the cursor, Ctrl+wheel
// changes its opacity, a double click or Esc closes it, the right button opens its menu.

#include <windows.h>

#include <functional>
#include <memory>

#include "app/pin/PinZoom.h"
#include "gx/GxGraphics.h"
#include "gx/UniqueHandle.h"
#include "output/Clipboard.h"
#include "output/EncodingAhead.h"
#include "win/LayeredCanvas.h"
#include "win/ScreenRect.h"

struct OutputSource;

struct WindowTraits {
  using Handle = HWND;
  static Handle Empty() { return nullptr; }
  static void Close(Handle handle) { DestroyWindow(handle); }
};

class PinWindow {
 public:
  // The border's width on every side.
  static constexpr int kBorder = 1;

  // Shows `image` with its top-left at `place`, in front of other windows, at 100 % and fully
  // opaque.
  // `closed` runs once the window is gone by the user's hand (not when this object is destroyed);
  // it may destroy this object. Window() is null when no window could be made.
  PinWindow(std::unique_ptr<GxGraphics> image, POINT place, std::function<void(const PinWindow&)> closed);
  ~PinWindow();
  PinWindow(const PinWindow&) = delete;
  PinWindow& operator=(const PinWindow&) = delete;

  HWND Window() const { return window_.get(); }
  // Takes the keyboard, so that Esc and the wheel reach the pin.
  void Activate();
  int Zoom() const { return zoom_; }
  int Opacity() const { return opacity_; }
  // Where the image lies on the screen, the border left out.
  ScreenRect ImagePlace() const;
  // The window's content: the border and the image as shown.
  const LayeredCanvas& Canvas() const { return canvas_; }
  // The image as the output sees it: copying and saving a pin give exactly these pixels.
  OutputSource Source() const;

  void ZoomBy(int notches, POINT anchor);
  void ChangeOpacity(int notches);
  void ResetZoom();
  ClipboardResult Copy();
  void Save();
  // Closes the window once the current message is handled (never while a menu or dialog of its
  // own is open).
  void Close();

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Present();
  void PaintImage(int width, int height);
  void OnWheel(WPARAM wParam, LPARAM lParam);
  void OnDrag(POINT now);
  void OnMenu(POINT at);
  void CloseIfAsked();

  std::unique_ptr<GxGraphics> image_;
  std::function<void(const PinWindow&)> closed_;
  PinOrigin origin_;
  int zoom_ = 100;
  int opacity_ = 100;
  int wheelRest_ = 0;  // wheel travel short of a whole notch
  bool dragging_ = false;
  POINT dragFrom_{};
  PinOrigin dragOrigin_;
  int busy_ = 0;              // a menu or dialog of this window is open
  bool closeWhenFree_ = false;
  EncodingAhead encodingAhead_;
  UniqueHandle<WindowTraits> window_;
  LayeredCanvas canvas_;
};
