#pragma once
// How an annotation looks: a colour from the palette and one of three sizes (the stroke's width,
// or the font's size for text).

#include <array>
#include <cstdint>

constexpr int kStyleSizes = 3;
constexpr int kPaletteSize = 12;

// 0xAARRGGBB, opaque; red first, the colour a capture starts with.
const std::array<std::uint32_t, kPaletteSize>& Palette();

struct AnnotationStyle {
  std::uint32_t colour = 0xFFFF0000;
  int size = 1;  // 0 (small) to kStyleSizes - 1 (large)

  bool operator==(const AnnotationStyle& other) const { return colour == other.colour && size == other.size; }
};

// The pen width of a stroke of this style, in pixels: 2, 4 or 6.
float StrokeWidth(const AnnotationStyle& style);
// The font size of text of this style, in pixels.
float FontSize(const AnnotationStyle& style);
