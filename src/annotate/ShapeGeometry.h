#pragma once
// Pixel rectangles around points, shared by the shapes.

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <vector>

#include "gx/GxTypes.h"

// The pixels within `margin` of every point (right and bottom exclusive); empty for no points.
inline RECT BoundsAround(const std::vector<GxPointF>& points, int margin) {
  if (points.empty()) return RECT{};
  float left = points[0].x, top = points[0].y, right = left, bottom = top;
  for (const GxPointF& p : points) {
    left = std::min(left, p.x), top = std::min(top, p.y);
    right = std::max(right, p.x), bottom = std::max(bottom, p.y);
  }
  return RECT{static_cast<LONG>(std::floor(left)) - margin, static_cast<LONG>(std::floor(top)) - margin,
              static_cast<LONG>(std::ceil(right)) + margin + 1, static_cast<LONG>(std::ceil(bottom)) + margin + 1};
}

inline RECT BoundsAround(std::initializer_list<GxPointF> points, int margin) {
  return BoundsAround(std::vector<GxPointF>(points), margin);
}
