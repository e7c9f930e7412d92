#pragma once
// Small images for the image and bitmap tests, made and read back through GxBitmap.

#include <cstdint>
#include <string>

#include "gx/GxBitmap.h"

namespace testimages {

constexpr std::uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF,
                        kBlack = 0xFF000000;

// A 7 x 5 opaque bitmap in five colours: a distinct colour in each corner, white elsewhere and a
// black centre, so that a flipped, shifted or re-quantised decode shows.
inline void MakeFewColours(GxBitmap& bitmap) {
  bitmap.Create(7, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) bitmap.SetPixel(x, y, kWhite);
  bitmap.SetPixel(0, 0, kRed);
  bitmap.SetPixel(6, 0, kGreen);
  bitmap.SetPixel(0, 4, kBlue);
  bitmap.SetPixel(6, 4, kBlack);
  bitmap.SetPixel(3, 2, kBlack);
}

// The same picture as an 8-bit indexed bitmap with a five-colour palette.
inline void MakeIndexedFewColours(GxBitmap& bitmap) {
  bitmap.Create(7, 5, PixelFormat8bppIndexed);
  GxPalette palette;
  palette.entries = {kWhite, kRed, kGreen, kBlue, kBlack};
  bitmap.SetPalette(palette);
  Gdiplus::BitmapData data{};
  if (!bitmap.LockBits(GxRect{0, 0, 7, 5}, Gdiplus::ImageLockModeWrite, PixelFormat8bppIndexed, data)) return;
  auto index = [&](int x, int y) -> std::uint8_t& { return static_cast<std::uint8_t*>(data.Scan0)[y * data.Stride + x]; };
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) index(x, y) = 0;
  index(0, 0) = 1;
  index(6, 0) = 2;
  index(0, 4) = 3;
  index(6, 4) = 4;
  index(3, 2) = 4;
  bitmap.UnlockBits(data);
}

// The first pixel where two bitmaps differ, as "x,y: a != b"; "" when they are equal.
inline std::string FirstDifference(const GxBitmap& expected, const GxBitmap& actual) {
  if (expected.GetWidth() != actual.GetWidth() || expected.GetHeight() != actual.GetHeight()) return "size differs";
  for (int y = 0; y < expected.GetHeight(); ++y)
    for (int x = 0; x < expected.GetWidth(); ++x)
      if (expected.GetPixel(x, y) != actual.GetPixel(x, y)) {
        char text[64];
        snprintf(text, sizeof text, "%d,%d: %08X != %08X", x, y, static_cast<unsigned>(expected.GetPixel(x, y)),
                 static_cast<unsigned>(actual.GetPixel(x, y)));
        return text;
      }
  return "";
}

inline bool StartsWith(const Bytes& bytes, const std::string& prefix) {
  return bytes.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), bytes.begin(),
                                                     [](char c, std::uint8_t b) { return static_cast<std::uint8_t>(c) == b; });
}

}  // namespace testimages
