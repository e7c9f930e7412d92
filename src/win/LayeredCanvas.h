#pragma once
// Turns a window into a per-pixel-alpha layered window whose whole content is a memory
// surface of the window's size: draw or blend onto the surface, then Present it. Detaching
// gives the window back exactly the extended style it had. While detached every operation
// does nothing and returns false, 0 or empty, except GetSurfaceDC, GetSurfacePixel and
// GetSurfaceBits, which read whatever surface there is.

#include <windows.h>

#include <string>

#include "gx/GxGraphics.h"
#include "gx/GxTypes.h"

// What every push of the process has cost so far: the time spent inside the platform's call and
// the pixels it was asked to take. Read around a message, it tells the program's own time from
// the platform's.
struct PushTally {
  double ms = 0;
  long long pixels = 0;
};
PushTally PushesSoFar();

class LayeredCanvas {
 public:
  LayeredCanvas() = default;
  ~LayeredCanvas();
  LayeredCanvas(const LayeredCanvas&) = delete;
  LayeredCanvas& operator=(const LayeredCanvas&) = delete;

  // How an attached window starts: given the empty surface at once (fully transparent), or
  // given nothing until the first Present. A layered window that was never given content is not
  // shown at all, so a window still hidden can wait, and get its first frame in one push.
  enum class FirstPush { Empty, WithFirstPresent };
  // Detaches from a previous window first. The window becomes layered and fully transparent
  // until something is drawn and presented. True for every window (also when its surface
  // could not be made); false, changing nothing, for a handle that is no window.
  bool Attach(HWND window, FirstPush first = FirstPush::Empty);
  // What Detach gives back besides the surface. A window that lives on gets its own extended
  // style back (and loses what the last push left on it); a window about to be destroyed needs
  // neither, and restoring them makes the system build it a new, screen-sized surface.
  enum class Restore { Style, Nothing };
  bool Detach(Restore restore = Restore::Style);
  // Missing sizes are the surface's own, a missing alpha is 255; perPixelAlpha counts only
  // when it is 1.
  bool AlphaBlendFrom(HDC source, OptInt srcX = {}, OptInt srcY = {}, OptInt srcWidth = {}, OptInt srcHeight = {},
                      OptInt dstX = {}, OptInt dstY = {}, OptInt dstWidth = {}, OptInt dstHeight = {}, OptInt alpha = {},
                      OptInt perPixelAlpha = {});
  // Shows the surface as the window's content, scaled by the canvas alpha.
  bool Present();
  // The same when only `dirty` (surface pixels) changed since the last push: only that part is
  // copied to the window.
  bool PresentDirty(const RECT& dirty);
  // A new, empty surface; the window must have this size before the next Present.
  bool ResizeSurface(int width, int height);
  HDC GetSurfaceDC() const { return surface_.GetSurfaceDC(); }
  bool SetCanvasAlpha(int alpha);
  // -1 while detached.
  int GetCanvasAlpha() const;
  int GetSurfaceWidth() const;
  int GetSurfaceHeight() const;
  Bytes EncodeSurface(std::string& formatGuidText);
  HWND GetWindow() const { return window_; }
  bool ClearToBlack();
  bool ClearRect(int x, int y, int width, int height);
  bool IsAttached() const { return attached_; }
  COLORREF GetSurfacePixel(int x, int y) const { return surface_.GetSurfacePixel(x, y); }
  // The surface's pixels for direct reading and writing (see GxGraphics::GetSurfaceBits).
  SurfaceBits GetSurfaceBits() { return surface_.GetSurfaceBits(); }

 private:
  bool Push(HDC source, int alpha, const RECT* dirty = nullptr) const;

  LONG savedExStyle_ = 0;
  bool attached_ = false;
  GxGraphics surface_;
  HWND window_ = nullptr;
  int alpha_ = 255;
};
