#include "output/SelectionOutput.h"

#include <algorithm>
#include <cstring>

#include "app/Globals.h"
#include "gx/GdiOwners.h"
#include "gx/GxBitmap.h"

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;

int Width(const ScreenRect& s) { return s.right - s.left; }
int Height(const ScreenRect& s) { return s.bottom - s.top; }

}  // namespace

void ComposeSelection(const ScreenRect& selection, std::uint8_t* firstRow, std::ptrdiff_t stride,
                      OffScreen offScreen) {
  const int width = Width(selection), height = Height(selection);
  if (width <= 0 || height <= 0 || !firstRow) return;
  const std::uint32_t black = offScreen == OffScreen::Opaque ? kOpaque : 0;
  const SurfaceBits frozen = Objects().FrozenLayer.GetSurfaceBits();
  // The columns the frozen layer has, relative to the selection.
  const int first = std::clamp(-selection.left, 0, width);
  const int last = std::clamp(frozen.width - selection.left, first, width);
  for (int y = 0; y < height; ++y) {
    auto* to = reinterpret_cast<std::uint32_t*>(firstRow + stride * y);
    const std::uint32_t* from = frozen.Row(selection.top + y);
    if (!from) {
      std::fill(to, to + width, black);
      continue;
    }
    std::fill(to, to + first, black);
    for (int x = first; x < last; ++x) to[x] = from[selection.left + x] | kOpaque;
    std::fill(to + last, to + width, black);
  }
}

bool SelectionBitmap(const ScreenRect& selection, GxBitmap& bitmap) {
  const int width = Width(selection), height = Height(selection);
  if (width <= 0 || height <= 0 || !bitmap.Create(width, height, PixelFormat32bppARGB)) return false;
  Gdiplus::BitmapData locked{};
  if (!bitmap.LockBits(GxRect{0, 0, width, height}, Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB, locked))
    return false;
  ComposeSelection(selection, static_cast<std::uint8_t*>(locked.Scan0), locked.Stride, OffScreen::Transparent);
  return bitmap.UnlockBits(locked);
}

HBITMAP SelectionDib(const ScreenRect& selection) {
  const int width = Width(selection), height = Height(selection);
  if (width <= 0 || height <= 0) return nullptr;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  GdiObject<HBITMAP> dib(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib.get() || !bits) return nullptr;
  ComposeSelection(selection, static_cast<std::uint8_t*>(bits), static_cast<std::ptrdiff_t>(width) * 4,
                   OffScreen::Opaque);
  return dib.release();
}
