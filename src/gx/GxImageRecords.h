#pragma once
// Caller-owned records of the image layer that GDI+ defines as variable-length blocks: property
// items and colour palettes, with their conversion to and from the native blocks.

#include <cstdint>
#include <vector>

#include "gx/GdiplusApi.h"
#include "gx/GxTypes.h"

// One image property (EXIF tag, GIF frame delays, ...). length is the size GDI+ reports for the
// value; value holds the bytes.
struct GxPropertyItem {
  std::int32_t id = 0;
  std::int32_t length = 0;
  std::int16_t type = 0;
  Bytes value;
};

// A colour palette: GDI+ PaletteFlags and the ARGB entries (the count is entries.size()).
struct GxPalette {
  std::uint32_t flags = 0;
  std::vector<std::uint32_t> entries;
};

// A native ColorPalette block, kept in 32-bit words so it is aligned as GDI+ expects.
class NativePalette {
 public:
  // Room for `count` entries, all zero.
  explicit NativePalette(std::size_t count);
  explicit NativePalette(const GxPalette& palette);

  Gdiplus::ColorPalette* Get() { return reinterpret_cast<Gdiplus::ColorPalette*>(words_.data()); }
  int ByteSize() const { return static_cast<int>(words_.size() * sizeof(std::uint32_t)); }
  // The palette the block holds, reading no more entries than it has room for.
  GxPalette ToPalette() const;

 private:
  std::vector<std::uint32_t> words_;
};

GxPropertyItem ToPropertyItem(const Gdiplus::PropertyItem& native);
