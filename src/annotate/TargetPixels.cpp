#include "annotate/TargetPixels.h"

#include <cmath>
#include <vector>

#include "gx/GxGraphics.h"

std::optional<TargetPixels> PixelsOf(GxGraphics& target) {
  std::vector<GxPointF> corners{{0, 0}, {1, 1}};
  if (!target.TransformPoints(Gdiplus::CoordinateSpaceDevice, Gdiplus::CoordinateSpaceWorld, corners))
    return std::nullopt;
  const float x = corners[0].x, y = corners[0].y;
  if (x != std::round(x) || y != std::round(y) || corners[1].x - x != 1 || corners[1].y - y != 1) return std::nullopt;
  TargetPixels pixels{target.GetSurfaceBits(), POINT{static_cast<LONG>(x), static_cast<LONG>(y)}};
  if (!pixels.bits.bits) return std::nullopt;
  return pixels;
}
