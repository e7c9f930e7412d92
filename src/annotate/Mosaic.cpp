#include <algorithm>

#include "annotate/PixelBlock.h"

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;

// The first grid line at or before `value` (negative screen points included).
LONG GridFloor(LONG value, int cell) {
  const LONG rest = value % cell;
  return rest < 0 ? value - rest - cell : value - rest;
}

// The average of the pixels of block rows [top, bottom) and columns [left, right).
std::uint32_t Average(const PixelBlock& block, int left, int top, int right, int bottom) {
  std::uint64_t red = 0, green = 0, blue = 0;
  for (int y = top; y < bottom; ++y) {
    const std::uint32_t* row = block.Row(y);
    for (int x = left; x < right; ++x) {
      red += (row[x] >> 16) & 0xFF;
      green += (row[x] >> 8) & 0xFF;
      blue += row[x] & 0xFF;
    }
  }
  const std::uint64_t count = static_cast<std::uint64_t>(right - left) * static_cast<std::uint64_t>(bottom - top);
  const auto mean = [count](std::uint64_t sum) { return static_cast<std::uint32_t>((sum + count / 2) / count); };
  return kOpaque | mean(red) << 16 | mean(green) << 8 | mean(blue);
}

}  // namespace

void Mosaic(PixelBlock& block, int cell) {
  if (cell < 1 || block.Width() <= 0 || block.Height() <= 0) return;
  for (LONG cellTop = GridFloor(block.area.top, cell); cellTop < block.area.bottom; cellTop += cell) {
    const int top = static_cast<int>(std::max(cellTop, block.area.top) - block.area.top);
    const int bottom = static_cast<int>(std::min(cellTop + cell, block.area.bottom) - block.area.top);
    for (LONG cellLeft = GridFloor(block.area.left, cell); cellLeft < block.area.right; cellLeft += cell) {
      const int left = static_cast<int>(std::max(cellLeft, block.area.left) - block.area.left);
      const int right = static_cast<int>(std::min(cellLeft + cell, block.area.right) - block.area.left);
      const std::uint32_t colour = Average(block, left, top, right, bottom);
      for (int y = top; y < bottom; ++y) std::fill(block.Row(y) + left, block.Row(y) + right, colour);
    }
  }
}
