#include "annotate/AnnotationStyle.h"

#include <algorithm>

namespace {

int SizeIndex(const AnnotationStyle& style) { return std::clamp(style.size, 0, kStyleSizes - 1); }

}  // namespace

const std::array<std::uint32_t, kPaletteSize>& Palette() {
  static const std::array<std::uint32_t, kPaletteSize> colours = {
      0xFFFF0000,  // red
      0xFFFF8000,  // orange
      0xFFFFD800,  // yellow
      0xFF00B050,  // green
      0xFF00B0C0,  // teal
      0xFF0060FF,  // blue
      0xFF8030E0,  // violet
      0xFFFF40B0,  // pink
      0xFF8B4513,  // brown
      0xFFFFFFFF,  // white
      0xFF808080,  // grey
      0xFF000000,  // black
  };
  return colours;
}

float StrokeWidth(const AnnotationStyle& style) {
  static const float widths[kStyleSizes] = {2, 4, 6};
  return widths[SizeIndex(style)];
}

float FontSize(const AnnotationStyle& style) {
  static const float sizes[kStyleSizes] = {16, 24, 36};
  return sizes[SizeIndex(style)];
}
