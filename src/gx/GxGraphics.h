#pragma once
// The drawing surface: a GDI+ Graphics, and optionally the off-screen 32-bit memory surface
// (memory DC + DIB section) it draws on. A GxGraphics with a surface is a "GxMemoryDC".
//
// Every operation follows the wrapper rule of GxObject: the GDI+ status lands in LastStatus and
// the result is true exactly when it is Ok. Wrapper arguments pass their native handle; an
// optional one given as null (or empty) passes null, which GDI+ takes as "none".

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

  // ---- graphics level ----
  // Releases the memory surface (if any) and the GDI+ graphics. False, with no call, when empty.
  bool Delete();

  bool CreateFromImage(const GxImage& image);

  bool SetInterpolationMode(Gdiplus::InterpolationMode mode);

  bool DrawLine(const GxPen& pen, float x1, float y1, float x2, float y2);
  bool DrawRectangle(const GxPen& pen, float x, float y, float width, float height);
  bool DrawPath(const GxPen& pen, const GxPath& path);

  // Paints the whole memory surface black with GDI (not GDI+); LastStatus is left alone.
  // False when the object has no memory surface.
  bool ClearToBlack(int penStyle = PS_SOLID);

  bool FillRectangle(const GxSolidBrush& brush, float x, float y, float width, float height);
  bool FillPath(const GxSolidBrush& brush, const GxPath& path);

  // Text in the ANSI code page; it ends at its first NUL.
  bool DrawString(const std::string& text, const GxFont& font, const GxSolidBrush& brush, const GxRectF& layoutRect,
                  const GxStringFormat* format = nullptr);

  // The whole image (its pixel size) into the destination rectangle.
  bool DrawImageStretched(const GxImage& image, float x, float y, float width, float height,
                          Gdiplus::Unit srcUnit = Gdiplus::UnitPixel);
  bool DrawImageRectRect(const GxImage& image, float dstX, float dstY, float dstWidth, float dstHeight, float srcX,
                         float srcY, float srcWidth, float srcHeight, Gdiplus::Unit srcUnit = Gdiplus::UnitPixel,
                         const GxImageAttributes* attributes = nullptr);

  bool IsValid() const { return Handle() != nullptr; }

  // ---- memory surface ----
  // A new surface is all zero bytes (black, alpha 0); its rows are stored bottom-up.
  bool CreateSurface(int width, int height);
  // Sets all four bytes of every pixel in the rectangle to zero. False without a surface.
  bool ClearRect(int x, int y, int width, int height);
  // The blits draw from `source` into this surface. Optional arguments: a missing position is 0,
  // a missing size is this surface's own. A failed blit sets LastStatus to 1 (GenericError).
  bool BitBltFrom(HDC source, OptInt srcX = {}, OptInt srcY = {}, OptInt dstX = {}, OptInt dstY = {}, OptInt width = {},
                  OptInt height = {});
  bool StretchBltFrom(HDC source, OptInt srcX = {}, OptInt srcY = {}, OptInt srcWidth = {}, OptInt srcHeight = {},
                      OptInt dstX = {}, OptInt dstY = {}, OptInt dstWidth = {}, OptInt dstHeight = {});
  // Constant alpha defaults to 255; per-pixel alpha (AC_SRC_ALPHA) only when perPixelAlpha is 1.
  bool AlphaBlendFrom(HDC source, OptInt srcX = {}, OptInt srcY = {}, OptInt srcWidth = {}, OptInt srcHeight = {},
                      OptInt dstX = {}, OptInt dstY = {}, OptInt dstWidth = {}, OptInt dstHeight = {}, OptInt alpha = {},
                      OptInt perPixelAlpha = {});
  // Skips source pixels of transparentColor (0x00BBGGRR, default black); gdi32's GdiTransparentBlt
  // unless useMsimg32 is given non-zero, then msimg32's TransparentBlt.
  bool TransparentBltFrom(HDC source, OptInt srcX = {}, OptInt srcY = {}, OptInt srcWidth = {}, OptInt srcHeight = {},
                          OptInt dstX = {}, OptInt dstY = {}, OptInt dstWidth = {}, OptInt dstHeight = {},
                          OptInt transparentColor = {}, OptInt useMsimg32 = {});
  HDC GetSurfaceDC() const { return memoryDC_; }
  int GetSurfaceWidth() const { return surfaceWidth_; }
  int GetSurfaceHeight() const { return surfaceHeight_; }
  Bytes EncodeSurface(std::string& formatGuidText);
  HBITMAP GetSurfaceBitmap() const { return dibSection_; }
  // 0x00BBGGRR without the alpha byte; CLR_INVALID (0xFFFFFFFF) outside the surface.
  COLORREF GetSurfacePixel(int x, int y) const;

 private:
  Gdiplus::GpGraphics* Handle() const { return Native<Gdiplus::GpGraphics>(); }
  // Puts the previous bitmap back and deletes the DIB section and the memory DC.
  void ReleaseSurface();

  HDC heldDC_ = nullptr;  // from GetHDC, until ReleaseHDC
  // Memory surface; all null/0 when the object has none.
  HDC memoryDC_ = nullptr;
  HBITMAP dibSection_ = nullptr;
  HGDIOBJ previousBitmap_ = nullptr;
  int surfaceWidth_ = 0;
  int surfaceHeight_ = 0;
};
