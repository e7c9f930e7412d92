#include "app/ScreenGrab.h"

#include <windows.h>

#include <cstring>

#include "app/Desktop.h"
#include "gx/GdiOwners.h"

namespace {

Bytes BmpFile(const BITMAPINFOHEADER& info, const Bytes& pixels) {
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  Bytes bytes(file.bfSize);
  std::memcpy(bytes.data(), &file, sizeof file);
  std::memcpy(bytes.data() + sizeof file, &info, sizeof info);
  std::memcpy(bytes.data() + file.bfOffBits, pixels.data(), pixels.size());
  return bytes;
}

}  // namespace

Bytes TakeScreenSnapshot() {
  const int width = ScreenWidth();
  const int height = ScreenHeight();
  ScreenDC screen;
  MemoryDC memory(screen.get());
  GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.get(), width, height));
  if (!screen.get() || !memory.get() || !bitmap.get()) return Bytes();
  {
    Selection selected(memory.get(), bitmap.get());
    if (!BitBlt(memory.get(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY)) return Bytes();
  }
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;  // positive: rows bottom-up, as a BMP file stores them
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
  Bytes pixels(stride * static_cast<size_t>(height));
  info.biSizeImage = static_cast<DWORD>(pixels.size());
  if (GetDIBits(memory.get(), bitmap.get(), 0, static_cast<UINT>(height), pixels.data(),
                reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) != height)
    return Bytes();
  return BmpFile(info, pixels);
}

std::function<Bytes()> ScreenSnapshotSource = TakeScreenSnapshot;
