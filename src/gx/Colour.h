#pragma once
// GDI and GDI+ write colours in opposite byte orders.

#include <windows.h>

#include <cstdint>

// GDI colour 0x00BBGGRR to GDI+ 0xAARRGGBB; alpha 255 unless one is given.
inline std::uint32_t ArgbFromColorRef(COLORREF colour, int alpha = 255, bool alphaGiven = false) {
  const std::uint32_t red = colour & 0xFF;
  const std::uint32_t green = (colour >> 8) & 0xFF;
  const std::uint32_t blue = (colour >> 16) & 0xFF;
  const std::uint32_t a = alphaGiven ? static_cast<std::uint32_t>(alpha) & 0xFF : 0xFF;
  return (a << 24) | (red << 16) | (green << 8) | blue;
}
