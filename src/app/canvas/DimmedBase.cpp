#include "app/canvas/DimmedBase.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "gx/Colour.h"
#include "gx/GxGraphics.h"
#include "gx/GxSolidBrush.h"

namespace {

constexpr int kDimAlpha = 128;

// What blending opaque black at kDimAlpha makes of each value of each byte of a pixel.
struct DimTables {
  std::array<std::array<std::uint8_t, 256>, 4> byte;

  std::uint32_t Apply(std::uint32_t pixel) const {
    return byte[0][pixel & 0xFF] | byte[1][(pixel >> 8) & 0xFF] << 8 | byte[2][(pixel >> 16) & 0xFF] << 16 |
           static_cast<std::uint32_t>(byte[3][pixel >> 24]) << 24;
  }
};

// The platform's blend, on a row whose pixel v holds v in all four bytes, under a row of the
// black the dimming layer was filled with. False when the platform would not do it.
bool Measure(DimTables& tables) {
  GxGraphics row, black;
  row.CreateSurface(256, 1);
  black.CreateSurface(256, 1);
  const SurfaceBits before = row.GetSurfaceBits();
  if (!before.bits) return false;
  for (std::uint32_t v = 0; v < 256; ++v) before.Row(0)[v] = v * 0x01010101u;
  GxSolidBrush brush;
  brush.Create(ArgbFromColorRef(RGB(0, 0, 0)));
  if (!black.FillRectangle(brush, 0, 0, 256, 1) ||
      !row.AlphaBlendFrom(black.GetSurfaceDC(), 0, 0, 256, 1, 0, 0, 256, 1, kDimAlpha, 0))
    return false;
  const SurfaceBits after = row.GetSurfaceBits();
  for (int v = 0; v < 256; ++v)
    for (int b = 0; b < 4; ++b) tables.byte[b][v] = static_cast<std::uint8_t>(after.Row(0)[v] >> (8 * b));
  return true;
}

// Should the platform refuse the little rows: the blend's usual arithmetic, black's alpha 255.
DimTables Computed() {
  DimTables tables{};
  for (int v = 0; v < 256; ++v) {
    const auto colour = static_cast<std::uint8_t>((v * (255 - kDimAlpha) + 127) / 255);
    const auto alpha = static_cast<std::uint8_t>((v * (255 - kDimAlpha) + 255 * kDimAlpha + 127) / 255);
    tables.byte[0][v] = tables.byte[1][v] = tables.byte[2][v] = colour;
    tables.byte[3][v] = alpha;
  }
  return tables;
}

const DimTables& Tables() {
  static const DimTables tables = [] {
    DimTables measured{};
    return Measure(measured) ? measured : Computed();
  }();
  return tables;
}

// `rect` within both surfaces; empty when it misses either.
RECT Within(const SurfaceBits& a, const SurfaceBits& b, const RECT& rect) {
  RECT r{std::max<LONG>(rect.left, 0), std::max<LONG>(rect.top, 0),
         std::min<LONG>(rect.right, std::min(a.width, b.width)), std::min<LONG>(rect.bottom, std::min(a.height, b.height))};
  if (r.right <= r.left || r.bottom <= r.top) return RECT{};
  return r;
}

}  // namespace

std::uint32_t DimmedPixel(std::uint32_t pixel) { return Tables().Apply(pixel); }

void PaintDimmedFrozen(const SurfaceBits& canvas, const SurfaceBits& frozen, const RECT& rect) {
  const RECT r = Within(canvas, frozen, rect);
  const DimTables& tables = Tables();
  for (LONG y = r.top; y < r.bottom; ++y) {
    std::uint32_t* to = canvas.Row(y);
    const std::uint32_t* from = frozen.Row(y);
    for (LONG x = r.left; x < r.right; ++x) to[x] = tables.Apply(from[x]);
  }
}

void CopyFrozen(const SurfaceBits& canvas, const SurfaceBits& frozen, const RECT& rect) {
  const RECT r = Within(canvas, frozen, rect);
  const size_t bytes = static_cast<size_t>(r.right - r.left) * 4;
  for (LONG y = r.top; y < r.bottom; ++y) std::memcpy(canvas.Row(y) + r.left, frozen.Row(y) + r.left, bytes);
}

void DimInPlace(const SurfaceBits& canvas, const RECT& rect) {
  const RECT r = Within(canvas, canvas, rect);
  const DimTables& tables = Tables();
  for (LONG y = r.top; y < r.bottom; ++y) {
    std::uint32_t* row = canvas.Row(y);
    for (LONG x = r.left; x < r.right; ++x) row[x] = tables.Apply(row[x]);
  }
}
