#pragma once
// A GDI+ Bitmap. It is a GxImage (every encoding, frame and property operation applies) whose
// loading operations create bitmaps, plus creation from memory and GDI objects, pixel access,
// conversion back to GDI handles and a rotated copy on an enlarged canvas.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "gx/GxEffect.h"
#include "gx/GxImage.h"
#include "gx/GxMemoryStream.h"

class GxGraphics;

class GxBitmap : public GxImage {
 public:
  GxBitmap() = default;
  ~GxBitmap() override;

  // Disposes the bitmap, then releases the bytes it was loaded from. False, with no call, when
  // empty.
  bool Delete() override;
  bool LoadFromFile(const std::string& fileName, bool useIcm = false) override;
  bool LoadFromFileW(const std::wstring& fileName, bool useIcm = false) override;
  // The bytes stay with the bitmap until it is deleted: GDI+ may read them lazily.
  bool LoadFromBytes(const Bytes& bytes, bool useIcm = false) override;

  // Clone ... SetPalette and IsValid come from GxImage and act on the bitmap.

  bool CreateFromScan0(int width, int height, int stride, int pixelFormat, void* scan0);
  // GDI+ allocates the pixels.
  bool Create(int width, int height, int pixelFormat = PixelFormat32bppARGB);
  bool CreateFromGraphics(int width, int height, const GxGraphics& graphics);
  bool CreateFromGdiDib(const BITMAPINFO* bitmapInfo, void* bits);
  bool CreateFromHBITMAP(HBITMAP hbitmap, HPALETTE hpalette = nullptr);
  bool CreateFromHICON(HICON hicon);
  bool CreateFromResource(HINSTANCE instance, const std::string& resourceName);
  // A new GDI bitmap, owned by the caller; null on failure.
  HBITMAP GetHBITMAP(std::uint32_t background = 0) const;
  // A new icon, owned by the caller; null on failure.
  HICON GetHICON() const;
  // The area goes to the target, which releases what it held before.
  bool CloneArea(const GxRectF& rect, int pixelFormat, GxBitmap& target) const;
  bool CloneAreaI(const GxRect& rect, int pixelFormat, GxBitmap& target) const;
  bool LockBits(const GxRect& rect, int flags, int pixelFormat, Gdiplus::BitmapData& lockedData);
  bool UnlockBits(Gdiplus::BitmapData& lockedData);
  // ARGB of the pixel; 0 on failure.
  std::uint32_t GetPixel(int x, int y) const;
  bool SetPixel(int x, int y, std::uint32_t argb);
  bool SetResolution(float dpiX, float dpiY);
  // Frees the effect's auxiliary data of a previous application first.
  bool ApplyEffect(GxEffect& effect, RECT* regionOfInterest, bool useRegion);
  // A copy turned by angle degrees about its centre, on a 32-bit ARGB canvas of the given size or
  // (by default) of GetRotatedSize. Without a background the canvas stays transparent around
  // the turned image. The target releases what it held once the copy is made; on failure it is
  // left untouched.
  bool CreateRotated(float angle, GxBitmap& target, std::optional<std::uint32_t> background = std::nullopt,
                     std::optional<Gdiplus::InterpolationMode> interpolation = std::nullopt,
                     std::optional<GxSizeF> size = std::nullopt) const;
  // The extent of a width x height bitmap turned by whole degrees, measured between pixel
  // centres (so 0 degrees gives width - 1 by height - 1).
  static void GetRotatedSize(int width, int height, int angle, float& newWidth, float& newHeight);

 private:
  Gdiplus::GpBitmap* Bitmap() const { return static_cast<Gdiplus::GpBitmap*>(Image()); }
  bool LoadBitmapFile(const wchar_t* name, bool useIcm);

  GxMemoryStream bitmapStream_;
};
