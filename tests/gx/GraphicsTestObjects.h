#pragma once
// Test objects for the drawing tests, made with the flat API directly so the tests do not depend
// on the pen, brush, font, bitmap and path wrappers. Each deletes its native object and leaves its
// wrapper empty, so a wrapper destructor that deletes too finds nothing left to delete.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "gx/GxBitmap.h"
#include "gx/GxFont.h"
#include "gx/GxGraphics.h"
#include "gx/GxPath.h"
#include "gx/GxPen.h"
#include "gx/GxRegion.h"
#include "gx/GxSolidBrush.h"
#include "gx/GxStringFormat.h"

namespace testobjects {

inline GdiplusApi& Api() { return GdiplusEntries(); }

template <typename Wrapper, typename Native>
class Owned : public Wrapper {
 public:
  using Release = Gdiplus::GpStatus(WINGDIPAPI*)(Native*);
  explicit Owned(Release release) : release_(release) {}
  ~Owned() override {
    if (this->GetNativeHandle()) release_(static_cast<Native*>(this->GetNativeHandle()));
    this->SetNativeHandle(nullptr);
  }
  Native* native() const { return static_cast<Native*>(this->GetNativeHandle()); }

 protected:
  void Adopt(Native* native) { this->SetNativeHandle(native); }

 private:
  Release release_;
};

class TestPen : public Owned<GxPen, Gdiplus::GpPen> {
 public:
  explicit TestPen(Gdiplus::ARGB color, float width = 1) : Owned(Api().GdipDeletePen) {
    Gdiplus::GpPen* pen = nullptr;
    Api().GdipCreatePen1(color, width, Gdiplus::UnitPixel, &pen);
    Adopt(pen);
  }
};

class TestBrush : public Owned<GxSolidBrush, Gdiplus::GpBrush> {
 public:
  explicit TestBrush(Gdiplus::ARGB color) : Owned(Api().GdipDeleteBrush) {
    Gdiplus::GpSolidFill* brush = nullptr;
    Api().GdipCreateSolidFill(color, &brush);
    Adopt(brush);
  }
};

// A 32-bit ARGB bitmap filled with one colour.
class TestBitmap : public Owned<GxBitmap, Gdiplus::GpImage> {
 public:
  TestBitmap(int width, int height, Gdiplus::ARGB fill = 0) : Owned(Api().GdipDisposeImage) {
    Gdiplus::GpBitmap* bitmap = nullptr;
    Api().GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, &bitmap);
    Adopt(bitmap);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) SetPixel(x, y, fill);
  }
  void SetPixel(int x, int y, Gdiplus::ARGB color) {
    Api().GdipBitmapSetPixel(static_cast<Gdiplus::GpBitmap*>(native()), x, y, color);
  }
  Gdiplus::ARGB Pixel(int x, int y) const {
    Gdiplus::ARGB color = 0xdeadbeef;
    Api().GdipBitmapGetPixel(static_cast<Gdiplus::GpBitmap*>(native()), x, y, &color);
    return color;
  }
};

class TestPath : public Owned<GxPath, Gdiplus::GpPath> {
 public:
  TestPath() : Owned(Api().GdipDeletePath) {
    Gdiplus::GpPath* path = nullptr;
    Api().GdipCreatePath(Gdiplus::FillModeAlternate, &path);
    Adopt(path);
  }
  void AddRectangle(float x, float y, float width, float height) {
    Api().GdipAddPathRectangle(native(), x, y, width, height);
  }
};

// The program's UI font (which the test prefix maps to an installed CJK font) at a size in pixels.
class TestFont : public Owned<GxFont, Gdiplus::GpFont> {
 public:
  explicit TestFont(float pixels) : Owned(Api().GdipDeleteFont) {
    Gdiplus::GpFontFamily* family = nullptr;
    Api().GdipCreateFontFamilyFromName(L"微软雅黑", nullptr, &family);
    Gdiplus::GpFont* font = nullptr;
    Api().GdipCreateFont(family, pixels, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel, &font);
    Api().GdipDeleteFontFamily(family);
    Adopt(font);
  }
};

class TestStringFormat : public Owned<GxStringFormat, Gdiplus::GpStringFormat> {
 public:
  TestStringFormat() : Owned(Api().GdipDeleteStringFormat) {
    Gdiplus::GpStringFormat* format = nullptr;
    Api().GdipCreateStringFormat(0, LANG_NEUTRAL, &format);
    Adopt(format);
  }
};

class TestRegion : public Owned<GxRegion, Gdiplus::GpRegion> {
 public:
  TestRegion() : Owned(Api().GdipDeleteRegion) {
    Gdiplus::GpRegion* region = nullptr;
    Api().GdipCreateRegion(&region);
    Adopt(region);
  }
};

// A surface's bytes as 0xAARRGGBB values (blue, green, red, alpha in memory), top row first.
inline std::vector<std::uint32_t> SurfaceBytes(const GxGraphics& surface) {
  const int width = surface.GetSurfaceWidth(), height = surface.GetSurfaceHeight();
  std::vector<std::uint32_t> pixels(static_cast<size_t>(width) * height, 0xdeadbeef);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // ask for top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  GdiFlush();
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, surface.GetSurfaceBitmap(), 0, height, pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return pixels;
}

// Writes 0xAARRGGBB values, top row first, into a surface's bytes unchanged.
inline void SetSurfaceBytes(GxGraphics& surface, const std::vector<std::uint32_t>& pixels) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = surface.GetSurfaceWidth();
  info.bmiHeader.biHeight = -surface.GetSurfaceHeight();
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  SetDIBits(screen, surface.GetSurfaceBitmap(), 0, surface.GetSurfaceHeight(), pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  GdiFlush();
}

inline std::uint32_t PixelBytes(const GxGraphics& surface, int x, int y) {
  return SurfaceBytes(surface)[static_cast<size_t>(y) * surface.GetSurfaceWidth() + x];
}

}  // namespace testobjects
