#pragma once
// The pixels behind a memory surface: a memory DC with a 32-bit bottom-up DIB section selected
// into it. One owner for the DC, the DIB section, the bitmap the DC held before, and the pointer
// to the pixels, released together: the old bitmap goes back into the DC before the DIB section
// and then the DC are deleted. Whatever draws on the DC (a GDI+ graphics) must be gone first.

#include <windows.h>

#include <cstddef>
#include <cstdint>

// The pixels of a surface for direct reading and writing: four bytes each, blue, green, red,
// alpha in memory order. Empty (bits null) when there is no surface. Valid until the surface is
// deleted or made again; take a new one after drawing, since taking it finishes GDI's batch.
struct SurfaceBits {
  std::uint8_t* bits = nullptr;  // the first row in memory: the bottom row when bottomUp
  int width = 0;
  int height = 0;
  int stride = 0;  // bytes from one row in memory to the next
  bool bottomUp = true;

  // Row y counted from the top, whatever the order in memory; null outside the surface.
  std::uint32_t* Row(int y) const {
    if (!bits || y < 0 || y >= height) return nullptr;
    const int inMemory = bottomUp ? height - 1 - y : y;
    return reinterpret_cast<std::uint32_t*>(bits + static_cast<std::size_t>(inMemory) * stride);
  }
};

class DibSurface {
 public:
  DibSurface() = default;
  ~DibSurface() { Release(); }
  DibSurface(const DibSurface&) = delete;
  DibSurface& operator=(const DibSurface&) = delete;

  // Releases what was held, then makes a memory DC (background mode TRANSPARENT) with a
  // width x height surface of zero bytes in it. The size is kept and the DC made even when the
  // DIB section cannot be (a size below 1, or no memory): then the result is false.
  bool Create(int width, int height);
  void Release();

  HDC DC() const { return dc_; }
  HBITMAP Bitmap() const { return dib_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  SurfaceBits Bits() const;

 private:
  HDC dc_ = nullptr;
  HBITMAP dib_ = nullptr;
  HGDIOBJ previous_ = nullptr;  // the DC's own bitmap, put back before the DC goes
  void* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};
