#pragma once
// A rectangle of opaque pixels copied out of a picture, in a plain buffer, for the filters that
// redact it (mosaic, blur): they read and write nothing outside it.

#include <windows.h>

#include <cstdint>
#include <vector>

struct PixelBlock {
  RECT area{};                        // in screen pixels
  std::vector<std::uint32_t> pixels;  // 0xAARRGGBB, row after row from the top

  int Width() const { return area.right - area.left; }
  int Height() const { return area.bottom - area.top; }
  std::uint32_t* Row(int y) { return pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(Width()); }
  const std::uint32_t* Row(int y) const {
    return pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(Width());
  }
};

// Every cell of a grid of `cell` × `cell` squares fixed to the screen's origin, cut to the block,
// becomes one opaque colour: the rounded average of its pixels. So neighbouring mosaics line up
// and no detail smaller than a cell survives.
void Mosaic(PixelBlock& block, int cell);
// kBlurPasses passes of a box blur of `radius` each way, first along the rows, then along the
// columns: near enough to a Gaussian, and as costly for any radius. Samples beyond the block's
// edges repeat its edge pixels, so nothing outside it bleeds in. The result is opaque; a pixel
// of it depends on nothing farther than kBlurPasses × radius from it along either axis.
constexpr int kBlurPasses = 3;
void Blur(PixelBlock& block, int radius);
