#pragma once
// The drawing surface: a GDI+ Graphics, and optionally the off-screen 32-bit memory surface
// (memory DC + DIB section) it draws on. A GxGraphics with a surface is a "GxMemoryDC".

#include <string>

#include "gx/GxObject.h"
#include "gx/GxTypes.h"

class GxPen;
class GxSolidBrush;
class GxFont;
class GxStringFormat;
class GxImage;
class GxBitmap;
class GxPath;
class GxRegion;
class GxImageAttributes;

class GxGraphics : public GxObject {
 public:
  GxGraphics() = default;
  ~GxGraphics() override;

  // ---- drawing operations (graphics level) ----
  bool Delete();

  // ---- memory surface ----
  bool CreateSurface(int width, int height);
  bool ClearRect(int x, int y, int width, int height);
  // Optional arguments: a missing position is 0, a missing size is this surface's own.
  bool BitBltFrom(HDC source, OptInt srcX = {}, OptInt srcY = {}, OptInt dstX = {}, OptInt dstY = {}, OptInt width = {},
                  OptInt height = {});
  bool StretchBltFrom(HDC source, OptInt srcX = {}, OptInt srcY = {}, OptInt srcWidth = {}, OptInt srcHeight = {},
                      OptInt dstX = {}, OptInt dstY = {}, OptInt dstWidth = {}, OptInt dstHeight = {});
  bool AlphaBlendFrom(HDC source, OptInt srcX = {}, OptInt srcY = {}, OptInt srcWidth = {}, OptInt srcHeight = {},
                      OptInt dstX = {}, OptInt dstY = {}, OptInt dstWidth = {}, OptInt dstHeight = {}, OptInt alpha = {},
                      OptInt perPixelAlpha = {});
  bool TransparentBltFrom(HDC source, OptInt srcX = {}, OptInt srcY = {}, OptInt srcWidth = {}, OptInt srcHeight = {},
                          OptInt dstX = {}, OptInt dstY = {}, OptInt dstWidth = {}, OptInt dstHeight = {},
                          OptInt transparentColor = {}, OptInt useMsimg32 = {});
  HDC GetSurfaceDC() const { return memoryDC_; }
  int GetSurfaceWidth() const { return surfaceWidth_; }
  int GetSurfaceHeight() const { return surfaceHeight_; }
  Bytes EncodeSurface(std::string& formatGuidText);
  HBITMAP GetSurfaceBitmap() const { return dibSection_; }
  COLORREF GetSurfacePixel(int x, int y) const;

 private:
  Gdiplus::GpGraphics* Handle() const { return Native<Gdiplus::GpGraphics>(); }

  HDC heldDC_ = nullptr;  // from GetHDC, until ReleaseHDC
  // Memory surface; all null/0 when the object has none.
  HDC memoryDC_ = nullptr;
  HBITMAP dibSection_ = nullptr;
  HGDIOBJ previousBitmap_ = nullptr;
  int surfaceWidth_ = 0;
  int surfaceHeight_ = 0;
};
