#include "output/OutputImage.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "gx/GdiOwners.h"
#include "gx/GxBitmap.h"
#include "gx/GxGraphics.h"

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;

enum class OffScreen { Transparent, Opaque };

// A top-down 32-bit DIB section of the selection's size and its pixels.
struct SelectionPixels {
  GdiObject<HBITMAP> dib;
  std::uint32_t* bits = nullptr;
  int width = 0, height = 0;

  std::uint32_t* Row(int y) const { return bits + static_cast<size_t>(y) * static_cast<size_t>(width); }
};

bool MakePixels(const ScreenRect& s, SelectionPixels& pixels) {
  pixels.width = s.Width();
  pixels.height = s.Height();
  if (pixels.width <= 0 || pixels.height <= 0) return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = pixels.width;
  info.bmiHeader.biHeight = -pixels.height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  pixels.dib.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  pixels.bits = static_cast<std::uint32_t*>(bits);
  return pixels.dib.get() && pixels.bits;
}

// The annotation layer blended over the selection's pixels as the overlay blends it onto the
// canvas: only over a selection that lies wholly on the layer, as only such a blend draws.
void BlendAnnotations(const GxGraphics* layer, const ScreenRect& s, SelectionPixels& pixels) {
  if (!layer || s.left < 0 || s.top < 0 || s.right > layer->GetSurfaceWidth() ||
      s.bottom > layer->GetSurfaceHeight())
    return;
  MemoryDC dc(nullptr);
  Selection selected(dc.get(), pixels.dib.get());
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  AlphaBlend(dc.get(), 0, 0, pixels.width, pixels.height, layer->GetSurfaceDC(), s.left, s.top, pixels.width,
             pixels.height, blend);
  GdiFlush();
}

// The selection as the overlay shows it, in the bytes the output gets.
bool Compose(const OutputSource& source, OffScreen offScreen, SelectionPixels& pixels) {
  const ScreenRect& s = source.selection;
  if (!MakePixels(s, pixels)) return false;
  const SurfaceBits frozen = source.frozen.GetSurfaceBits();
  // The columns the frozen layer has, counted from the selection's left.
  const int first = std::clamp(-s.left, 0, pixels.width);
  const int last = std::clamp(frozen.width - s.left, first, pixels.width);
  for (int y = 0; y < pixels.height; ++y) {
    if (const std::uint32_t* from = frozen.Row(s.top + y))
      std::memcpy(pixels.Row(y) + first, from + s.left + first, static_cast<size_t>(last - first) * 4);
  }
  BlendAnnotations(source.annotations, s, pixels);
  const std::uint32_t black = offScreen == OffScreen::Opaque ? kOpaque : 0;
  for (int y = 0; y < pixels.height; ++y) {
    std::uint32_t* row = pixels.Row(y);
    if (!frozen.Row(s.top + y)) {
      std::fill(row, row + pixels.width, black);
      continue;
    }
    std::fill(row, row + first, black);
    for (int x = first; x < last; ++x) row[x] |= kOpaque;
    std::fill(row + last, row + pixels.width, black);
  }
  return true;
}

}  // namespace

HBITMAP OutputDib(const OutputSource& source) {
  SelectionPixels pixels;
  if (!Compose(source, OffScreen::Opaque, pixels)) return nullptr;
  return pixels.dib.release();
}

bool OutputBitmap(const OutputSource& source, GxBitmap& bitmap) {
  SelectionPixels pixels;
  if (!Compose(source, OffScreen::Transparent, pixels) ||
      !bitmap.Create(pixels.width, pixels.height, PixelFormat32bppARGB))
    return false;
  Gdiplus::BitmapData locked{};
  if (!bitmap.LockBits(GxRect{0, 0, pixels.width, pixels.height}, Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB,
                       locked))
    return false;
  for (int y = 0; y < pixels.height; ++y)
    std::memcpy(static_cast<std::uint8_t*>(locked.Scan0) + static_cast<std::ptrdiff_t>(locked.Stride) * y,
                pixels.Row(y), static_cast<size_t>(pixels.width) * 4);
  return bitmap.UnlockBits(locked);
}
