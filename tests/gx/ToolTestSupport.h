#pragma once
// Helpers for the pen, brush, font, string-format, path and region tests: a canvas drawn on with
// the flat API (so these tests do not depend on the graphics wrapper), a matrix owner, and a way
// to watch single entries of the GDI+ table.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "gx/GdiplusApi.h"
#include "gx/GxObject.h"
#include "gx/GxTypes.h"

namespace tooltest {

inline GdiplusApi& Api() { return GdiplusEntries(); }

// Replaces one entry of the GDI+ table for the life of the object.
template <typename Fn>
class ScopedEntry {
 public:
  ScopedEntry(Fn& slot, Fn replacement) : slot_(slot), original_(slot) { slot_ = replacement; }
  ~ScopedEntry() { slot_ = original_; }
  ScopedEntry(const ScopedEntry&) = delete;
  ScopedEntry& operator=(const ScopedEntry&) = delete;
  // The entry that was replaced, for a replacement that passes calls on.
  Fn original() const { return original_; }

 private:
  Fn& slot_;
  Fn original_;
};

// A GDI+ matrix, identity when made.
class TestMatrix : public GxObject {
 public:
  TestMatrix() {
    Gdiplus::GpMatrix* matrix = nullptr;
    Api().GdipCreateMatrix(&matrix);
    SetNativeHandle(matrix);
  }
  ~TestMatrix() override {
    if (GetNativeHandle()) Api().GdipDeleteMatrix(static_cast<Gdiplus::GpMatrix*>(GetNativeHandle()));
  }
};

// A 32-bit ARGB bitmap over our own memory, all transparent black, with a graphics on it.
class Canvas {
 public:
  Canvas(int width, int height)
      : width_(width), pixels_(static_cast<std::size_t>(width) * height, 0) {
    Api().GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppARGB,
                                    reinterpret_cast<BYTE*>(pixels_.data()), &bitmap_);
    Api().GdipGetImageGraphicsContext(bitmap_, &graphics_);
  }
  ~Canvas() {
    if (graphics_) Api().GdipDeleteGraphics(graphics_);
    if (bitmap_) Api().GdipDisposeImage(bitmap_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  Gdiplus::GpGraphics* graphics() const { return graphics_; }
  bool ready() const { return graphics_ != nullptr; }
  // 0xAARRGGBB as stored, read after GDI+ has finished drawing.
  std::uint32_t Pixel(int x, int y) {
    Api().GdipFlush(graphics_, Gdiplus::FlushIntentionSync);
    return pixels_[static_cast<std::size_t>(y) * width_ + x];
  }
  // Pixels of the canvas that are not transparent black.
  int Painted() {
    Api().GdipFlush(graphics_, Gdiplus::FlushIntentionSync);
    int painted = 0;
    for (std::uint32_t pixel : pixels_) painted += pixel != 0;
    return painted;
  }

 private:
  int width_;
  std::vector<std::uint32_t> pixels_;
  Gdiplus::GpBitmap* bitmap_ = nullptr;
  Gdiplus::GpGraphics* graphics_ = nullptr;
};

// Skips the running test when GDI+ answered NotImplemented (a Wine stub or a missing entry).
#define SKIP_IF_NOT_IMPLEMENTED(what)                                                       \
  if (LastStatus == GxNotImplemented) GTEST_SKIP() << what << " is not implemented by this GDI+"

}  // namespace tooltest
