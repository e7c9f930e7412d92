#include "support/CanvasToBmp.h"

#include <cstring>

#include "gx/GdiOwners.h"
#include "gx/GxBitmap.h"
#include "gx/GxGraphics.h"
#include "output/Clipboard.h"

namespace {

int ColourTableBytes(int bitCount) {
  switch (bitCount) {
    case 1: return 8;
    case 4: return 64;
    case 8: return 1024;
    default: return 0;
  }
}

}  // namespace

Bytes BmpHeaders(int width, int height, int bitCount) {
  BITMAPINFOHEADER info{};
  info.biSize = 40;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = static_cast<WORD>(bitCount);
  info.biCompression = BI_RGB;
  info.biSizeImage = static_cast<DWORD>(width) * static_cast<DWORD>(height) * static_cast<DWORD>(bitCount) / 8;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfSize = info.biSizeImage + 54;
  file.bfOffBits = static_cast<DWORD>(ColourTableBytes(bitCount)) + 54;
  Bytes headers(54);
  std::memcpy(headers.data(), &file, 14);
  std::memcpy(headers.data() + 14, &info, 40);
  return headers;
}

Bytes CanvasToBmp(HDC source, int width, int height) {
  Bytes bytes = BmpHeaders(width, height, 32);
  const size_t pixelBytes = static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
  GxGraphics copy;
  copy.CreateSurface(width, height);
  // Mirrored: the surface's rows come out top-down, which is the order a bottom-up file wants.
  StretchBlt(copy.GetSurfaceDC(), 0, 0, width, height, source, 0, height - 1, width, -height, SRCCOPY);
  bytes.resize(54 + pixelBytes);
  if (pixelBytes) GetBitmapBits(copy.GetSurfaceBitmap(), static_cast<LONG>(pixelBytes), bytes.data() + 54);
  return bytes;
}

bool CopyBitmapToClipboard(HWND owner, const Bytes& image) {
  if (image.empty()) return false;
  GxBitmap decoded;
  if (!decoded.LoadFromBytes(image, false)) return false;
  GdiObject<HBITMAP> dib(decoded.GetHBITMAP(0xFF000000));
  return CopyDibToClipboard(owner, dib.get());
}
