#pragma once
// A rectangle of screen pixels: left and top inclusive, right and bottom exclusive, each a signed
// 32-bit integer (monitors left of or above the primary one have negative coordinates).

#include <windows.h>

#include <algorithm>
#include <cstdint>

struct ScreenRect {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;

  std::int32_t Width() const { return right - left; }
  std::int32_t Height() const { return bottom - top; }
  bool IsEmpty() const { return left >= right || top >= bottom; }
  // Whether the pixel at (x, y) lies in the rectangle.
  bool Contains(int x, int y) const { return left <= x && x < right && top <= y && y < bottom; }
  // The part inside `other`; empty (all zero) when none is.
  ScreenRect Intersect(const ScreenRect& other) const {
    const ScreenRect common{std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
                            std::min(bottom, other.bottom)};
    return common.IsEmpty() ? ScreenRect{} : common;
  }
  RECT ToRect() const { return RECT{left, top, right, bottom}; }
  static ScreenRect FromRect(const RECT& rect) { return ScreenRect{rect.left, rect.top, rect.right, rect.bottom}; }

  bool operator==(const ScreenRect& other) const {
    return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
  }
  bool operator!=(const ScreenRect& other) const { return !(*this == other); }
};
