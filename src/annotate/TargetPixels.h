#pragma once
// The pixels of the surface a shape draws onto, for the shapes that write pixels themselves
// (the highlighter's single blend, a redaction's opaque blocks) instead of drawing through GDI+.

#include <windows.h>

#include <optional>

#include "gx/DibSurface.h"

class GxGraphics;

struct TargetPixels {
  SurfaceBits bits;
  POINT offset{};  // where the screen point (0, 0) falls on the surface

  // The screen rectangle the surface holds.
  RECT ScreenArea() const {
    return RECT{-offset.x, -offset.y, bits.width - offset.x, bits.height - offset.y};
  }
  // The pixel at a screen point; null outside the surface.
  std::uint32_t* At(LONG x, LONG y) const {
    std::uint32_t* row = bits.Row(y + offset.y);
    const LONG column = x + offset.x;
    return row && column >= 0 && column < bits.width ? row + column : nullptr;
  }
};

// Nothing when the target has no memory surface, or its transform is more than a translation by
// whole pixels. Taking them finishes what GDI+ still has to draw on the target.
std::optional<TargetPixels> PixelsOf(GxGraphics& target);
