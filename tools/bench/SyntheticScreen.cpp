#include "SyntheticScreen.h"

#include <windows.h>

#include <cstring>

Bytes SyntheticScreen(int width, int height) {
  const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * static_cast<size_t>(height));
  Bytes bytes(file.bfSize);
  std::memcpy(bytes.data(), &file, sizeof file);
  std::memcpy(bytes.data() + sizeof file, &info, sizeof info);
  for (int y = 0; y < height; ++y) {
    unsigned char* row = bytes.data() + file.bfOffBits + stride * static_cast<size_t>(height - 1 - y);
    for (int x = 0; x < width; ++x) {
      row[x * 3] = static_cast<unsigned char>(60 + (x * 3 + y * 5) % 190);
      row[x * 3 + 1] = static_cast<unsigned char>(30 + y % 210);
      row[x * 3 + 2] = static_cast<unsigned char>(40 + x % 200);
    }
  }
  return bytes;
}
