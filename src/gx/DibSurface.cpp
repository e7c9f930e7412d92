#include "gx/DibSurface.h"

#include <cstdint>

bool DibSurface::Create(int width, int height) {
  Release();
  dc_ = CreateCompatibleDC(nullptr);
  width_ = width;
  height_ = height;
  if (!dc_) return false;
  SetBkMode(dc_, TRANSPARENT);
  if (width < 1 || height < 1) return false;
  // The system counts a picture's bytes in an int: beyond that the count wraps, and a
  // surface would be made smaller than the pixels it is written with.
  constexpr std::uint64_t kMostBytes = 0x7FFFFFFF;
  if (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) * 4 > kMostBytes) return false;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // positive: rows bottom-up
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  dib_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!dib_) return false;
  previous_ = SelectObject(dc_, dib_);
  if (!previous_) return false;  // the DC draws on its own 1 x 1 bitmap, not on these pixels
  bits_ = bits;
  return true;
}

void DibSurface::Release() {
  if (previous_) SelectObject(dc_, previous_);
  if (dib_) DeleteObject(dib_);
  if (dc_) DeleteDC(dc_);
  dc_ = nullptr;
  dib_ = nullptr;
  previous_ = nullptr;
  bits_ = nullptr;
  width_ = 0;
  height_ = 0;
}

SurfaceBits DibSurface::Bits() const {
  if (!bits_) return SurfaceBits{};
  return SurfaceBits{static_cast<std::uint8_t*>(bits_), width_, height_, width_ * 4, true};
}
