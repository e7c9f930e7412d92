#pragma once
// The drawing surface: a GDI+ Graphics, and optionally the off-screen 32-bit memory surface
// (memory DC + DIB section) it draws on. A GxGraphics with a surface is a "GxMemoryDC".
//
// Every operation follows the wrapper rule of GxObject: the GDI+ status lands in LastStatus and
// the result is true exactly when it is Ok. Wrapper arguments pass their native handle; an
// optional one given as null (or empty) passes null, which GDI+ takes as "none".

#include <memory>
#include <string>
#include <vector>

#include "gx/DibSurface.h"
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
  // Gives back a DC that GetHDC handed out, deletes the GDI+ graphics, then releases the memory
  // surface (if any) it drew on. False, with no GDI+ call, when empty.
  bool Delete();
  // The raw GDI+ status (0 on success); LastStatus is left as it was.
  int Flush(Gdiplus::FlushIntention intention = Gdiplus::FlushIntentionFlush);

  // Creating operations delete whatever graphics the object held first.
  bool CreateFromHWND(HWND hwnd, bool icm = false);
  bool CreateFromHDC(HDC hdc, HANDLE device = nullptr, bool useDevice = false);
  bool CreateFromImage(const GxImage& image);

  // The DC stays held until ReleaseHDC (or Delete, which gives it back); asking again returns
  // the held DC with LastStatus 1.
  HDC GetHDC();
  // False (LastStatus 0) when no DC is held; otherwise true whatever GDI+ answers.
  bool ReleaseHDC();

  Gdiplus::CompositingMode GetCompositingMode();
  bool SetCompositingMode(Gdiplus::CompositingMode mode);
  bool GetRenderingOrigin(int& x, int& y);
  bool SetRenderingOrigin(int x, int y);
  Gdiplus::CompositingQuality GetCompositingQuality();
  bool SetCompositingQuality(Gdiplus::CompositingQuality quality);
  bool SetSmoothingMode(Gdiplus::SmoothingMode mode);
  Gdiplus::SmoothingMode GetSmoothingMode();
  bool SetTextRenderingHint(Gdiplus::TextRenderingHint hint);
  Gdiplus::TextRenderingHint GetTextRenderingHint();
  bool SetInterpolationMode(Gdiplus::InterpolationMode mode);
  Gdiplus::InterpolationMode GetInterpolationMode();
  bool SetPixelOffsetMode(Gdiplus::PixelOffsetMode mode);
  Gdiplus::PixelOffsetMode GetPixelOffsetMode();

  // `matrix` is any wrapper over a GDI+ matrix; GetTransform writes into that matrix.
  bool SetTransform(const GxObject& matrix);
  bool GetTransform(GxObject& matrix);
  bool ResetTransform();
  bool MultiplyTransform(const GxObject& matrix, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool TranslateTransform(float dx, float dy, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool ScaleTransform(float sx, float sy, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  // Scale or turn about a point: three calls with the same order; true when the last succeeded.
  bool ScaleTransformAt(float sx, float sy, const GxPointF& center,
                        Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool RotateTransform(float angle, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool RotateTransformAt(float angle, const GxPointF& center, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool SetPageUnit(Gdiplus::Unit unit);
  Gdiplus::Unit GetPageUnit();
  bool SetPageScale(float scale);
  float GetPageScale();
  float GetDpiX();
  float GetDpiY();
  // The caller's points receive the transformed values.
  bool TransformPoints(Gdiplus::CoordinateSpace destSpace, Gdiplus::CoordinateSpace srcSpace,
                       std::vector<GxPointF>& points);
  bool TransformPointsI(Gdiplus::CoordinateSpace destSpace, Gdiplus::CoordinateSpace srcSpace,
                        std::vector<GxPoint>& points);
  Gdiplus::ARGB GetNearestColor(Gdiplus::ARGB color);

  // Point and rectangle arrays: an empty one passes a null pointer and a count of 0.
  bool DrawLine(const GxPen& pen, float x1, float y1, float x2, float y2);
  bool DrawLineI(const GxPen& pen, int x1, int y1, int x2, int y2);
  bool DrawLines(const GxPen& pen, const std::vector<GxPointF>& points);
  bool DrawLinesI(const GxPen& pen, const std::vector<GxPoint>& points);
  bool DrawArc(const GxPen& pen, float x, float y, float width, float height, float startAngle, float sweepAngle);
  bool DrawArcI(const GxPen& pen, int x, int y, int width, int height, float startAngle, float sweepAngle);
  bool DrawBezier(const GxPen& pen, float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4);
  bool DrawBezierI(const GxPen& pen, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  bool DrawBeziers(const GxPen& pen, const std::vector<GxPointF>& points);
  bool DrawBeziersI(const GxPen& pen, const std::vector<GxPoint>& points);
  bool DrawRectangle(const GxPen& pen, float x, float y, float width, float height);
  bool DrawRectangleI(const GxPen& pen, int x, int y, int width, int height);
  bool DrawRectangles(const GxPen& pen, const std::vector<GxRectF>& rects);
  bool DrawRectanglesI(const GxPen& pen, const std::vector<GxRect>& rects);
  bool DrawEllipse(const GxPen& pen, float x, float y, float width, float height);
  bool DrawEllipseI(const GxPen& pen, int x, int y, int width, int height);
  bool DrawPie(const GxPen& pen, float x, float y, float width, float height, float startAngle, float sweepAngle);
  bool DrawPieI(const GxPen& pen, int x, int y, int width, int height, float startAngle, float sweepAngle);
  bool DrawPolygon(const GxPen& pen, const std::vector<GxPointF>& points);
  bool DrawPolygonI(const GxPen& pen, const std::vector<GxPoint>& points);
  bool DrawPath(const GxPen& pen, const GxPath& path);
  bool DrawCurve(const GxPen& pen, const std::vector<GxPointF>& points);
  bool DrawCurveI(const GxPen& pen, const std::vector<GxPoint>& points);
  bool DrawCurveTension(const GxPen& pen, const std::vector<GxPointF>& points, float tension);
  bool DrawCurveTensionI(const GxPen& pen, const std::vector<GxPoint>& points, float tension);
  // The segments use points offset to offset + segmentCount, which must all lie in the array
  // (InvalidParameter, without asking GDI+, otherwise).
  bool DrawCurveSegment(const GxPen& pen, const std::vector<GxPointF>& points, int offset, int segmentCount,
                        float tension);
  bool DrawCurveSegmentI(const GxPen& pen, const std::vector<GxPoint>& points, int offset, int segmentCount,
                         float tension);
  bool DrawClosedCurve(const GxPen& pen, const std::vector<GxPointF>& points);
  bool DrawClosedCurveI(const GxPen& pen, const std::vector<GxPoint>& points);
  bool DrawClosedCurveTension(const GxPen& pen, const std::vector<GxPointF>& points, float tension);
  bool DrawClosedCurveTensionI(const GxPen& pen, const std::vector<GxPoint>& points, float tension);

  // Paints the whole memory surface black with GDI (not GDI+); LastStatus is left alone.
  // False when the object has no memory surface.
  bool ClearToBlack(int penStyle = PS_SOLID);

  bool FillRectangle(const GxSolidBrush& brush, float x, float y, float width, float height);
  bool FillRectangleRect(const GxSolidBrush& brush, const GxRectF& rect);
  bool FillRectangleI(const GxSolidBrush& brush, int x, int y, int width, int height);
  bool FillRectangles(const GxSolidBrush& brush, const std::vector<GxRectF>& rects);
  bool FillRectanglesI(const GxSolidBrush& brush, const std::vector<GxRect>& rects);
  bool FillPolygon(const GxSolidBrush& brush, const std::vector<GxPointF>& points,
                   Gdiplus::FillMode fillMode = Gdiplus::FillModeAlternate);
  bool FillPolygonI(const GxSolidBrush& brush, const std::vector<GxPoint>& points,
                    Gdiplus::FillMode fillMode = Gdiplus::FillModeAlternate);
  bool FillEllipse(const GxSolidBrush& brush, float x, float y, float width, float height);
  bool FillEllipseI(const GxSolidBrush& brush, int x, int y, int width, int height);
  bool FillPie(const GxSolidBrush& brush, float x, float y, float width, float height, float startAngle,
               float sweepAngle);
  bool FillPieI(const GxSolidBrush& brush, int x, int y, int width, int height, float startAngle, float sweepAngle);
  bool FillPath(const GxSolidBrush& brush, const GxPath& path);
  bool FillClosedCurve(const GxSolidBrush& brush, const std::vector<GxPointF>& points);
  bool FillClosedCurveTension(const GxSolidBrush& brush, const std::vector<GxPointF>& points, float tension,
                              Gdiplus::FillMode fillMode = Gdiplus::FillModeAlternate);
  bool FillClosedCurveI(const GxSolidBrush& brush, const std::vector<GxPoint>& points);
  bool FillClosedCurveTensionI(const GxSolidBrush& brush, const std::vector<GxPoint>& points, float tension,
                               Gdiplus::FillMode fillMode = Gdiplus::FillModeAlternate);
  bool FillRegion(const GxSolidBrush& brush, const GxRegion& region);

  // Text in UTF-8; the W twins take UTF-16 as it is. Either ends at its first NUL.
  bool DrawString(const std::string& text, const GxFont& font, const GxSolidBrush& brush, const GxRectF& layoutRect,
                  const GxStringFormat* format = nullptr);
  bool DrawStringW(const std::wstring& text, const GxFont& font, const GxSolidBrush& brush,
                   const GxRectF& layoutRect, const GxStringFormat* format = nullptr);
  bool MeasureString(const std::string& text, const GxFont& font, const GxRectF& layoutRect,
                     const GxStringFormat* format, GxRectF& boundingBox);
  bool MeasureStringW(const std::wstring& text, const GxFont& font, const GxRectF& layoutRect,
                      const GxStringFormat* format, GxRectF& boundingBox);
  // One region per measurable character range of `format` (regionCount must equal their
  // number; more fail with InvalidParameter before GDI+ is asked). On success `regions` is
  // replaced by regionCount new regions; on failure it is left as it was.
  bool MeasureCharacterRanges(const std::string& text, const GxFont& font, const GxRectF& layoutRect,
                              const GxStringFormat* format, int regionCount,
                              std::vector<std::unique_ptr<GxRegion>>& regions);
  bool MeasureCharacterRangesW(const std::wstring& text, const GxFont& font, const GxRectF& layoutRect,
                               const GxStringFormat* format, int regionCount,
                               std::vector<std::unique_ptr<GxRegion>>& regions);
  // One position per character (fewer fail with InvalidParameter before GDI+ is asked), or just
  // the first with DriverStringOptionsRealizedAdvance; flags 1 looks the glyphs up through the
  // font's character map.
  bool DrawDriverString(const std::string& text, const GxFont& font, const GxSolidBrush& brush,
                        const std::vector<GxPointF>& positions, int flags = Gdiplus::DriverStringOptionsCmapLookup,
                        const GxObject* matrix = nullptr);
  bool DrawDriverStringW(const std::wstring& text, const GxFont& font, const GxSolidBrush& brush,
                         const std::vector<GxPointF>& positions, int flags = Gdiplus::DriverStringOptionsCmapLookup,
                         const GxObject* matrix = nullptr);
  bool SetTextContrast(unsigned contrast);
  unsigned GetTextContrast();

  // One image pixel per unit, whatever the image's resolution.
  bool DrawImageUnscaled(const GxImage& image, float x, float y);
  bool DrawImageUnscaledI(const GxImage& image, int x, int y);
  bool DrawImage(const GxImage& image, float x, float y);
  bool DrawImageI(const GxImage& image, int x, int y);
  // `cachedBitmap` is any wrapper over a GDI+ cached bitmap; x and y are cut toward zero.
  bool DrawCachedBitmap(const GxObject& cachedBitmap, float x, float y);
  // The whole image (its pixel size) into the destination rectangle.
  bool DrawImageStretched(const GxImage& image, float x, float y, float width, float height,
                          Gdiplus::Unit srcUnit = Gdiplus::UnitPixel);
  bool DrawImageStretchedI(const GxImage& image, int x, int y, int width, int height,
                           Gdiplus::Unit srcUnit = Gdiplus::UnitPixel);
  // The image into the parallelogram with upper-left (x1, y1), upper-right (x2, y2), lower-left (x3, y3).
  bool DrawImagePoints(const GxImage& image, float x1, float y1, float x2, float y2, float x3, float y3);
  bool DrawImagePointsI(const GxImage& image, int x1, int y1, int x2, int y2, int x3, int y3);
  bool DrawImagePointRect(const GxImage& image, float x, float y, float srcX, float srcY, float srcWidth,
                          float srcHeight, Gdiplus::Unit srcUnit = Gdiplus::UnitPixel);
  bool DrawImagePointRectI(const GxImage& image, int x, int y, int srcX, int srcY, int srcWidth, int srcHeight,
                           Gdiplus::Unit srcUnit = Gdiplus::UnitPixel);
  bool DrawImageRectRect(const GxImage& image, float dstX, float dstY, float dstWidth, float dstHeight, float srcX,
                         float srcY, float srcWidth, float srcHeight, Gdiplus::Unit srcUnit = Gdiplus::UnitPixel,
                         const GxImageAttributes* attributes = nullptr);
  bool DrawImageRectRectI(const GxImage& image, int dstX, int dstY, int dstWidth, int dstHeight, int srcX, int srcY,
                          int srcWidth, int srcHeight, Gdiplus::Unit srcUnit = Gdiplus::UnitPixel,
                          const GxImageAttributes* attributes = nullptr);
  bool DrawImagePointsRect(const GxImage& image, float x1, float y1, float x2, float y2, float x3, float y3,
                           float srcX, float srcY, float srcWidth, float srcHeight,
                           Gdiplus::Unit srcUnit = Gdiplus::UnitPixel, const GxImageAttributes* attributes = nullptr);
  bool DrawImagePointsRectI(const GxImage& image, int x1, int y1, int x2, int y2, int x3, int y3, int srcX, int srcY,
                            int srcWidth, int srcHeight, Gdiplus::Unit srcUnit = Gdiplus::UnitPixel,
                            const GxImageAttributes* attributes = nullptr);

  // Metafile playback through a GDI+ enumeration callback; `metafile` wraps a GDI+ metafile.
  // Destination points are the parallelogram's three corners (fewer fail with InvalidParameter).
  using MetafileCallback = Gdiplus::EnumerateMetafileProc;
  bool EnumerateMetafileDestPoint(const GxImage& metafile, const GxPointF& destPoint, MetafileCallback callback,
                                  void* callbackData = nullptr, const GxImageAttributes* attributes = nullptr);
  bool EnumerateMetafileDestPointI(const GxImage& metafile, const GxPoint& destPoint, MetafileCallback callback,
                                   void* callbackData = nullptr, const GxImageAttributes* attributes = nullptr);
  bool EnumerateMetafileDestPoints(const GxImage& metafile, const std::vector<GxPointF>& destPoints,
                                   MetafileCallback callback, void* callbackData = nullptr,
                                   const GxImageAttributes* attributes = nullptr);
  bool EnumerateMetafileDestPointsI(const GxImage& metafile, const std::vector<GxPoint>& destPoints,
                                    MetafileCallback callback, void* callbackData = nullptr,
                                    const GxImageAttributes* attributes = nullptr);
  bool EnumerateMetafileDestRect(const GxImage& metafile, const GxRectF& destRect, MetafileCallback callback,
                                 void* callbackData = nullptr, const GxImageAttributes* attributes = nullptr);
  bool EnumerateMetafileDestRectI(const GxImage& metafile, const GxRect& destRect, MetafileCallback callback,
                                  void* callbackData = nullptr, const GxImageAttributes* attributes = nullptr);
  bool EnumerateMetafileSrcRectDestPoint(const GxImage& metafile, const GxPointF& destPoint, const GxRectF& srcRect,
                                         Gdiplus::Unit srcUnit, MetafileCallback callback,
                                         void* callbackData = nullptr,
                                         const GxImageAttributes* attributes = nullptr);
  bool EnumerateMetafileSrcRectDestPointI(const GxImage& metafile, const GxPoint& destPoint, const GxRect& srcRect,
                                          Gdiplus::Unit srcUnit, MetafileCallback callback,
                                          void* callbackData = nullptr,
                                          const GxImageAttributes* attributes = nullptr);
  bool EnumerateMetafileSrcRectDestPoints(const GxImage& metafile, const std::vector<GxPointF>& destPoints,
                                          const GxRectF& srcRect, Gdiplus::Unit srcUnit, MetafileCallback callback,
                                          void* callbackData = nullptr,
                                          const GxImageAttributes* attributes = nullptr);
  bool EnumerateMetafileSrcRectDestPointsI(const GxImage& metafile, const std::vector<GxPoint>& destPoints,
                                           const GxRect& srcRect, Gdiplus::Unit srcUnit, MetafileCallback callback,
                                           void* callbackData = nullptr,
                                           const GxImageAttributes* attributes = nullptr);
  bool EnumerateMetafileSrcRectDestRect(const GxImage& metafile, const GxRectF& destRect, const GxRectF& srcRect,
                                        Gdiplus::Unit srcUnit, MetafileCallback callback, void* callbackData = nullptr,
                                        const GxImageAttributes* attributes = nullptr);
  bool EnumerateMetafileSrcRectDestRectI(const GxImage& metafile, const GxRect& destRect, const GxRect& srcRect,
                                         Gdiplus::Unit srcUnit, MetafileCallback callback,
                                         void* callbackData = nullptr,
                                         const GxImageAttributes* attributes = nullptr);

  bool SetClipGraphics(const GxGraphics& other, Gdiplus::CombineMode combineMode = Gdiplus::CombineModeReplace);
  bool SetClipPath(const GxPath& path, Gdiplus::CombineMode combineMode = Gdiplus::CombineModeReplace);
  bool SetClipRect(float x, float y, float width, float height,
                   Gdiplus::CombineMode combineMode = Gdiplus::CombineModeReplace);
  bool SetClipRectI(int x, int y, int width, int height, Gdiplus::CombineMode combineMode = Gdiplus::CombineModeReplace);
  bool SetClipRegion(const GxRegion& region, Gdiplus::CombineMode combineMode = Gdiplus::CombineModeReplace);
  bool SetClipHrgn(HRGN hrgn, Gdiplus::CombineMode combineMode = Gdiplus::CombineModeReplace);
  bool ResetClip();
  bool TranslateClip(float dx, float dy);
  bool TranslateClipI(int dx, int dy);
  // Writes the clip into the region's native region.
  bool GetClip(GxRegion& region);
  GxRectF GetClipBounds();
  GxRect GetClipBoundsI();
  GxRectF GetVisibleClipBounds();
  GxRect GetVisibleClipBoundsI();
  bool IsClipEmpty();
  bool IsVisibleClipEmpty();
  bool IsVisiblePoint(float x, float y);
  bool IsVisiblePointI(int x, int y);
  bool IsVisibleRect(float x, float y, float width, float height);
  bool IsVisibleRectI(int x, int y, int width, int height);

  Gdiplus::GraphicsState Save();
  bool Restore(Gdiplus::GraphicsState state);
  Gdiplus::GraphicsContainer BeginContainer(const GxRectF& dstRect, const GxRectF& srcRect, Gdiplus::Unit unit);
  Gdiplus::GraphicsContainer BeginContainerI(const GxRect& dstRect, const GxRect& srcRect, Gdiplus::Unit unit);
  Gdiplus::GraphicsContainer BeginContainerPlain();
  bool EndContainer(Gdiplus::GraphicsContainer state);
  bool AddComment(const Bytes& data);

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
  HDC GetSurfaceDC() const { return surface_.DC(); }
  int GetSurfaceWidth() const { return surface_.Width(); }
  int GetSurfaceHeight() const { return surface_.Height(); }
  Bytes EncodeSurface(std::string& formatGuidText);
  HBITMAP GetSurfaceBitmap() const { return surface_.Bitmap(); }
  // 0x00BBGGRR without the alpha byte; CLR_INVALID (0xFFFFFFFF) outside the surface.
  COLORREF GetSurfacePixel(int x, int y) const;
  // The surface's pixels for direct reading and writing (empty without a surface). Taking them
  // finishes what GDI+ and GDI still have to draw, so take them again after drawing.
  SurfaceBits GetSurfaceBits();

 private:
  Gdiplus::GpGraphics* Handle() const { return Native<Gdiplus::GpGraphics>(); }
  // A creating call: deletes what the object held, then lets `Entry` write the new handle.
  template <auto Entry, typename... Args>
  bool CreateWith(Args... args) {
    Delete();
    bool ok = GdipOk<Entry>(args..., NativeSlot<Gdiplus::GpGraphics>());
    SetNativeHandle(Handle());
    return ok;
  }
  // A getter: the output starts at zero, so a failed call returns zero.
  template <auto Entry, typename T>
  T Get() {
    T value{};
    Gdip<Entry>(Handle(), &value);
    return value;
  }
  // An Is... query: the GDI+ BOOL output as a boolean, false on failure.
  template <auto Entry, typename... Args>
  bool Is(Args... args) {
    BOOL result = FALSE;
    Gdip<Entry>(Handle(), args..., &result);
    return result != FALSE;
  }

  HDC heldDC_ = nullptr;  // from GetHDC, until ReleaseHDC
  DibSurface surface_;    // all null/0 when the object has no memory surface
};
