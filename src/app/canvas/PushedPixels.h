#pragma once
// The overlay canvas's pixels as the window was last given them, kept only where a frame is
// about to draw, to tell which pixels the frame really changed. Pieces redrawn the same (the
// selection's frame while only the toolbar's highlight moves) then need no push, and a frame
// that changed nothing needs none at all.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "app/canvas/Region.h"

class PushedPixels {
 public:
  // Keeps the bytes of `area` of the canvas (a DC with a bottom-up 32-bit DIB section) where
  // they are not kept yet; call before drawing there.
  void Keep(const Region& area, HDC canvasDC);
  // The smallest rectangle holding every kept pixel that differs now (empty when none), and
  // forgets what was kept.
  RECT TakeChangedBounds(HDC canvasDC);

 private:
  struct Piece {
    RECT rect;
    std::vector<std::uint32_t> pixels;
  };

  Region kept_;
  std::vector<Piece> pieces_;
  size_t keptPixels_ = 0;
  bool overflow_ = false;  // too much to keep: all of kept_ counts as changed
};
