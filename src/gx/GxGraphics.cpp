#include "gx/GxGraphics.h"

#include <algorithm>

#include "gx/CurveReach.h"
#include "gx/GxArgumentGuards.h"
#include "gx/GxBitmap.h"
#include "gx/GxFont.h"
#include "gx/GxImage.h"
#include "gx/GxImageAttributes.h"
#include "gx/GxNativeRecord.h"
#include "gx/GxPath.h"
#include "gx/GxPen.h"
#include "gx/GxRegion.h"
#include "gx/GxSolidBrush.h"
#include "gx/GxStringFormat.h"
#include "gx/GxText.h"

using namespace Gdiplus;

namespace {

GpPen* PenOf(const GxPen& pen) { return NativeOf<GpPen>(pen); }
GpBrush* BrushOf(const GxSolidBrush& brush) { return NativeOf<GpBrush>(brush); }
GpImage* ImageOf(const GxImage& image) { return NativeOf<GpImage>(image); }
// Only a metafile is played back: GDI+ under Wine reads any other image as one and ends the
// process. Another image passes as none, which GDI+ refuses.
GpMetafile* MetafileOf(const GxImage& metafile) {
  return metafile.GetType() == ImageTypeMetafile ? NativeOf<GpMetafile>(metafile) : nullptr;
}
GpImageAttributes* AttributesOf(const GxImageAttributes* attributes) {
  return NativeOf<GpImageAttributes>(attributes);
}

// A read-only array handed to GDI+ in place: null for an empty array. GDI+ never writes through
// these pointers, so no copy is needed to keep the caller's records intact.
template <typename Record>
const typename GxNativeRecord<Record>::type* InArray(const std::vector<Record>& records) {
  return records.empty() ? nullptr : AsNative(records.front());
}
template <typename Record>
int Count(const std::vector<Record>& records) {
  return static_cast<int>(records.size());
}

// A text argument as GDI+ takes it: the pointer (null when empty) and its length up to the first NUL.
struct WideArg {
  const wchar_t* text;
  int length;
  explicit WideArg(const std::wstring& wide) : text(WideOrNull(wide)), length(text ? lstrlenW(text) : 0) {}
  const UINT16* units() const { return reinterpret_cast<const UINT16*>(text); }
};

// Scales or turns about a point: three steps with the same order, true when the last succeeded.
// Appended, the point moves to the origin first and back last; prepended, the steps are written
// in the opposite order, since each prepended step applies before the earlier ones.
template <typename Step>
bool AboutCenter(GxGraphics& graphics, const GxPointF& center, MatrixOrder order, Step step) {
  const float toOrigin = order == MatrixOrderAppend ? -1.0f : 1.0f;
  graphics.TranslateTransform(toOrigin * center.x, toOrigin * center.y, order);
  step();
  return graphics.TranslateTransform(-toOrigin * center.x, -toOrigin * center.y, order);
}

// A bounds query: a zero record when GDI+ fails.
template <auto Entry, typename Record>
Record BoundsOf(GpGraphics* graphics) {
  Record bounds;
  Gdip<Entry>(graphics, reinterpret_cast<typename GxNativeRecord<Record>::type*>(&bounds));
  return bounds;
}

// The tension of a curve drawn without one.
constexpr float kDefaultTension = 0.5f;

}  // namespace

GxGraphics::~GxGraphics() { Delete(); }

// Back to front: the DC lent out by GetHDC, the graphics, then the surface that graphics draws
// on. A surface whose GDI+ graphics could not be made is still released, but counts as empty.
bool GxGraphics::Delete() {
  if (heldDC_) ReleaseHDC();
  const bool ok = Handle() && GdipOk<GDIP(GdipDeleteGraphics)>(Handle());
  SetNativeHandle(nullptr);
  surface_.Release();
  return ok;
}

int GxGraphics::Flush(FlushIntention intention) {
  const int kept = LastStatus;
  const int status = Gdip<GDIP(GdipFlush)>(Handle(), intention);
  LastStatus = kept;
  return status;
}

bool GxGraphics::CreateFromHWND(HWND hwnd, bool icm) {
  return icm ? CreateWith<GDIP(GdipCreateFromHWNDICM)>(hwnd) : CreateWith<GDIP(GdipCreateFromHWND)>(hwnd);
}

bool GxGraphics::CreateFromHDC(HDC hdc, HANDLE device, bool useDevice) {
  return useDevice ? CreateWith<GDIP(GdipCreateFromHDC2)>(hdc, device) : CreateWith<GDIP(GdipCreateFromHDC)>(hdc);
}

bool GxGraphics::CreateFromImage(const GxImage& image) {
  return CreateWith<GDIP(GdipGetImageGraphicsContext)>(ImageOf(image));
}

HDC GxGraphics::GetHDC() {
  if (heldDC_) {
    LastStatus = GxGenericError;
    return heldDC_;
  }
  HDC dc = nullptr;
  if (Gdip<GDIP(GdipGetDC)>(Handle(), &dc) == GxOk) heldDC_ = dc;
  return heldDC_;
}

bool GxGraphics::ReleaseHDC() {
  if (!heldDC_) {
    LastStatus = GxOk;
    return false;
  }
  Gdip<GDIP(GdipReleaseDC)>(Handle(), heldDC_);
  heldDC_ = nullptr;
  return true;
}

CompositingMode GxGraphics::GetCompositingMode() { return Get<GDIP(GdipGetCompositingMode), CompositingMode>(); }
bool GxGraphics::SetCompositingMode(CompositingMode mode) {
  return GdipOk<GDIP(GdipSetCompositingMode)>(Handle(), mode);
}

bool GxGraphics::GetRenderingOrigin(int& x, int& y) {
  x = y = 0;
  return GdipOk<GDIP(GdipGetRenderingOrigin)>(Handle(), &x, &y);
}
bool GxGraphics::SetRenderingOrigin(int x, int y) { return GdipOk<GDIP(GdipSetRenderingOrigin)>(Handle(), x, y); }

CompositingQuality GxGraphics::GetCompositingQuality() {
  return Get<GDIP(GdipGetCompositingQuality), CompositingQuality>();
}
bool GxGraphics::SetCompositingQuality(CompositingQuality quality) {
  return GdipOk<GDIP(GdipSetCompositingQuality)>(Handle(), quality);
}

bool GxGraphics::SetSmoothingMode(SmoothingMode mode) { return GdipOk<GDIP(GdipSetSmoothingMode)>(Handle(), mode); }
SmoothingMode GxGraphics::GetSmoothingMode() { return Get<GDIP(GdipGetSmoothingMode), SmoothingMode>(); }

bool GxGraphics::SetTextRenderingHint(TextRenderingHint hint) {
  return GdipOk<GDIP(GdipSetTextRenderingHint)>(Handle(), hint);
}
TextRenderingHint GxGraphics::GetTextRenderingHint() {
  return Get<GDIP(GdipGetTextRenderingHint), TextRenderingHint>();
}

bool GxGraphics::SetInterpolationMode(InterpolationMode mode) {
  return GdipOk<GDIP(GdipSetInterpolationMode)>(Handle(), mode);
}
InterpolationMode GxGraphics::GetInterpolationMode() {
  return Get<GDIP(GdipGetInterpolationMode), InterpolationMode>();
}

bool GxGraphics::SetPixelOffsetMode(PixelOffsetMode mode) {
  return GdipOk<GDIP(GdipSetPixelOffsetMode)>(Handle(), mode);
}
PixelOffsetMode GxGraphics::GetPixelOffsetMode() { return Get<GDIP(GdipGetPixelOffsetMode), PixelOffsetMode>(); }

bool GxGraphics::SetTransform(const GxObject& matrix) {
  return GdipOk<GDIP(GdipSetWorldTransform)>(Handle(), NativeOf<GpMatrix>(matrix));
}
bool GxGraphics::GetTransform(GxObject& matrix) {
  return GdipOk<GDIP(GdipGetWorldTransform)>(Handle(), NativeOf<GpMatrix>(matrix));
}
bool GxGraphics::ResetTransform() { return GdipOk<GDIP(GdipResetWorldTransform)>(Handle()); }
bool GxGraphics::MultiplyTransform(const GxObject& matrix, MatrixOrder order) {
  return GdipOk<GDIP(GdipMultiplyWorldTransform)>(Handle(), NativeOf<GpMatrix>(matrix), order);
}
bool GxGraphics::TranslateTransform(float dx, float dy, MatrixOrder order) {
  return GdipOk<GDIP(GdipTranslateWorldTransform)>(Handle(), dx, dy, order);
}
bool GxGraphics::ScaleTransform(float sx, float sy, MatrixOrder order) {
  return GdipOk<GDIP(GdipScaleWorldTransform)>(Handle(), sx, sy, order);
}

bool GxGraphics::ScaleTransformAt(float sx, float sy, const GxPointF& center, MatrixOrder order) {
  return AboutCenter(*this, center, order, [&] { ScaleTransform(sx, sy, order); });
}

bool GxGraphics::RotateTransform(float angle, MatrixOrder order) {
  return GdipOk<GDIP(GdipRotateWorldTransform)>(Handle(), angle, order);
}

bool GxGraphics::RotateTransformAt(float angle, const GxPointF& center, MatrixOrder order) {
  return AboutCenter(*this, center, order, [&] { RotateTransform(angle, order); });
}

bool GxGraphics::SetPageUnit(Unit unit) { return GdipOk<GDIP(GdipSetPageUnit)>(Handle(), unit); }
Unit GxGraphics::GetPageUnit() { return Get<GDIP(GdipGetPageUnit), Unit>(); }
bool GxGraphics::SetPageScale(float scale) { return GdipOk<GDIP(GdipSetPageScale)>(Handle(), scale); }
float GxGraphics::GetPageScale() { return Get<GDIP(GdipGetPageScale), REAL>(); }
float GxGraphics::GetDpiX() { return Get<GDIP(GdipGetDpiX), REAL>(); }
float GxGraphics::GetDpiY() { return Get<GDIP(GdipGetDpiY), REAL>(); }

bool GxGraphics::TransformPoints(CoordinateSpace destSpace, CoordinateSpace srcSpace, std::vector<GxPointF>& points) {
  return WithNativeArray<PointF>(points, [&](PointF* native, int count) {
    return GdipOk<GDIP(GdipTransformPoints)>(Handle(), destSpace, srcSpace, native, count);
  });
}
bool GxGraphics::TransformPointsI(CoordinateSpace destSpace, CoordinateSpace srcSpace, std::vector<GxPoint>& points) {
  return WithNativeArray<Point>(points, [&](Point* native, int count) {
    return GdipOk<GDIP(GdipTransformPointsI)>(Handle(), destSpace, srcSpace, native, count);
  });
}

ARGB GxGraphics::GetNearestColor(ARGB color) {
  ARGB nearest = color;
  Gdip<GDIP(GdipGetNearestColor)>(Handle(), &nearest);
  return nearest;
}

bool GxGraphics::DrawLine(const GxPen& pen, float x1, float y1, float x2, float y2) {
  return GdipOk<GDIP(GdipDrawLine)>(Handle(), PenOf(pen), x1, y1, x2, y2);
}
bool GxGraphics::DrawLineI(const GxPen& pen, int x1, int y1, int x2, int y2) {
  return GdipOk<GDIP(GdipDrawLineI)>(Handle(), PenOf(pen), x1, y1, x2, y2);
}
bool GxGraphics::DrawLines(const GxPen& pen, const std::vector<GxPointF>& points) {
  return GdipOk<GDIP(GdipDrawLines)>(Handle(), PenOf(pen), InArray(points), Count(points));
}
bool GxGraphics::DrawLinesI(const GxPen& pen, const std::vector<GxPoint>& points) {
  return GdipOk<GDIP(GdipDrawLinesI)>(Handle(), PenOf(pen), InArray(points), Count(points));
}

bool GxGraphics::DrawArc(const GxPen& pen, float x, float y, float width, float height, float startAngle,
                         float sweepAngle) {
  return GdipOk<GDIP(GdipDrawArc)>(Handle(), PenOf(pen), x, y, width, height, startAngle, sweepAngle);
}
bool GxGraphics::DrawArcI(const GxPen& pen, int x, int y, int width, int height, float startAngle, float sweepAngle) {
  return GdipOk<GDIP(GdipDrawArcI)>(Handle(), PenOf(pen), x, y, width, height, startAngle, sweepAngle);
}

bool GxGraphics::DrawBezier(const GxPen& pen, float x1, float y1, float x2, float y2, float x3, float y3, float x4,
                            float y4) {
  return GdipOk<GDIP(GdipDrawBezier)>(Handle(), PenOf(pen), x1, y1, x2, y2, x3, y3, x4, y4);
}
bool GxGraphics::DrawBezierI(const GxPen& pen, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  return GdipOk<GDIP(GdipDrawBezierI)>(Handle(), PenOf(pen), x1, y1, x2, y2, x3, y3, x4, y4);
}
bool GxGraphics::DrawBeziers(const GxPen& pen, const std::vector<GxPointF>& points) {
  return GdipOk<GDIP(GdipDrawBeziers)>(Handle(), PenOf(pen), InArray(points), Count(points));
}
bool GxGraphics::DrawBeziersI(const GxPen& pen, const std::vector<GxPoint>& points) {
  return GdipOk<GDIP(GdipDrawBeziersI)>(Handle(), PenOf(pen), InArray(points), Count(points));
}

bool GxGraphics::DrawRectangle(const GxPen& pen, float x, float y, float width, float height) {
  return GdipOk<GDIP(GdipDrawRectangle)>(Handle(), PenOf(pen), x, y, width, height);
}
bool GxGraphics::DrawRectangleI(const GxPen& pen, int x, int y, int width, int height) {
  return GdipOk<GDIP(GdipDrawRectangleI)>(Handle(), PenOf(pen), x, y, width, height);
}
bool GxGraphics::DrawRectangles(const GxPen& pen, const std::vector<GxRectF>& rects) {
  return GdipOk<GDIP(GdipDrawRectangles)>(Handle(), PenOf(pen), InArray(rects), Count(rects));
}
bool GxGraphics::DrawRectanglesI(const GxPen& pen, const std::vector<GxRect>& rects) {
  return GdipOk<GDIP(GdipDrawRectanglesI)>(Handle(), PenOf(pen), InArray(rects), Count(rects));
}

bool GxGraphics::DrawEllipse(const GxPen& pen, float x, float y, float width, float height) {
  return GdipOk<GDIP(GdipDrawEllipse)>(Handle(), PenOf(pen), x, y, width, height);
}
bool GxGraphics::DrawEllipseI(const GxPen& pen, int x, int y, int width, int height) {
  return GdipOk<GDIP(GdipDrawEllipseI)>(Handle(), PenOf(pen), x, y, width, height);
}

bool GxGraphics::DrawPie(const GxPen& pen, float x, float y, float width, float height, float startAngle,
                         float sweepAngle) {
  return GdipOk<GDIP(GdipDrawPie)>(Handle(), PenOf(pen), x, y, width, height, startAngle, sweepAngle);
}
bool GxGraphics::DrawPieI(const GxPen& pen, int x, int y, int width, int height, float startAngle, float sweepAngle) {
  return GdipOk<GDIP(GdipDrawPieI)>(Handle(), PenOf(pen), x, y, width, height, startAngle, sweepAngle);
}

bool GxGraphics::DrawPolygon(const GxPen& pen, const std::vector<GxPointF>& points) {
  return GdipOk<GDIP(GdipDrawPolygon)>(Handle(), PenOf(pen), InArray(points), Count(points));
}
bool GxGraphics::DrawPolygonI(const GxPen& pen, const std::vector<GxPoint>& points) {
  return GdipOk<GDIP(GdipDrawPolygonI)>(Handle(), PenOf(pen), InArray(points), Count(points));
}

bool GxGraphics::DrawPath(const GxPen& pen, const GxPath& path) {
  if (!path.IsValid() && Handle()) {  // Wine's GdipDrawPath reads through a null path
    LastStatus = GxInvalidParameter;
    return false;
  }
  return GdipOk<GDIP(GdipDrawPath)>(Handle(), PenOf(pen), NativeOf<GpPath>(path));
}

bool GxGraphics::DrawCurve(const GxPen& pen, const std::vector<GxPointF>& points) {
  if (!CurveReachFits(Handle(), points, kDefaultTension)) return false;
  return GdipOk<GDIP(GdipDrawCurve)>(Handle(), PenOf(pen), InArray(points), Count(points));
}
bool GxGraphics::DrawCurveI(const GxPen& pen, const std::vector<GxPoint>& points) {
  if (!CurveReachFits(Handle(), points, kDefaultTension)) return false;
  return GdipOk<GDIP(GdipDrawCurveI)>(Handle(), PenOf(pen), InArray(points), Count(points));
}
bool GxGraphics::DrawCurveTension(const GxPen& pen, const std::vector<GxPointF>& points, float tension) {
  if (!CurveReachFits(Handle(), points, tension)) return false;
  return GdipOk<GDIP(GdipDrawCurve2)>(Handle(), PenOf(pen), InArray(points), Count(points), tension);
}
bool GxGraphics::DrawCurveTensionI(const GxPen& pen, const std::vector<GxPoint>& points, float tension) {
  if (!CurveReachFits(Handle(), points, tension)) return false;
  return GdipOk<GDIP(GdipDrawCurve2I)>(Handle(), PenOf(pen), InArray(points), Count(points), tension);
}
bool GxGraphics::DrawCurveSegment(const GxPen& pen, const std::vector<GxPointF>& points, int offset, int segmentCount,
                                  float tension) {
  if (!SegmentsInside(points.size(), offset, segmentCount)) return false;
  if (!CurveReachFits(Handle(), points, tension)) return false;
  return GdipOk<GDIP(GdipDrawCurve3)>(Handle(), PenOf(pen), InArray(points), Count(points), offset,
                                      segmentCount, tension);
}
bool GxGraphics::DrawCurveSegmentI(const GxPen& pen, const std::vector<GxPoint>& points, int offset,
                                   int segmentCount, float tension) {
  if (!SegmentsInside(points.size(), offset, segmentCount)) return false;
  if (!CurveReachFits(Handle(), points, tension)) return false;
  return GdipOk<GDIP(GdipDrawCurve3I)>(Handle(), PenOf(pen), InArray(points), Count(points), offset,
                                       segmentCount, tension);
}
bool GxGraphics::DrawClosedCurve(const GxPen& pen, const std::vector<GxPointF>& points) {
  if (!CurveReachFits(Handle(), points, kDefaultTension)) return false;
  return GdipOk<GDIP(GdipDrawClosedCurve)>(Handle(), PenOf(pen), InArray(points), Count(points));
}
bool GxGraphics::DrawClosedCurveI(const GxPen& pen, const std::vector<GxPoint>& points) {
  if (!CurveReachFits(Handle(), points, kDefaultTension)) return false;
  return GdipOk<GDIP(GdipDrawClosedCurveI)>(Handle(), PenOf(pen), InArray(points), Count(points));
}
bool GxGraphics::DrawClosedCurveTension(const GxPen& pen, const std::vector<GxPointF>& points, float tension) {
  if (!CurveReachFits(Handle(), points, tension)) return false;
  return GdipOk<GDIP(GdipDrawClosedCurve2)>(Handle(), PenOf(pen), InArray(points), Count(points), tension);
}
bool GxGraphics::DrawClosedCurveTensionI(const GxPen& pen, const std::vector<GxPoint>& points, float tension) {
  if (!CurveReachFits(Handle(), points, tension)) return false;
  return GdipOk<GDIP(GdipDrawClosedCurve2I)>(Handle(), PenOf(pen), InArray(points), Count(points), tension);
}

bool GxGraphics::ClearToBlack(int penStyle) {
  HDC dc = surface_.DC();
  if (!Handle() || !dc) return false;
  HPEN pen = CreatePen(penStyle, 0, RGB(0, 0, 0));
  HGDIOBJ previousPen = SelectObject(dc, pen);
  HGDIOBJ previousBrush = SelectObject(dc, GetStockObject(BLACK_BRUSH));
  Rectangle(dc, 0, 0, surface_.Width(), surface_.Height());
  SelectObject(dc, previousBrush);
  SelectObject(dc, previousPen);
  DeleteObject(pen);
  return true;
}

bool GxGraphics::FillRectangle(const GxSolidBrush& brush, float x, float y, float width, float height) {
  return GdipOk<GDIP(GdipFillRectangle)>(Handle(), BrushOf(brush), x, y, width, height);
}
bool GxGraphics::FillRectangleRect(const GxSolidBrush& brush, const GxRectF& rect) {
  return FillRectangle(brush, rect.x, rect.y, rect.width, rect.height);
}
bool GxGraphics::FillRectangleI(const GxSolidBrush& brush, int x, int y, int width, int height) {
  return GdipOk<GDIP(GdipFillRectangleI)>(Handle(), BrushOf(brush), x, y, width, height);
}
bool GxGraphics::FillRectangles(const GxSolidBrush& brush, const std::vector<GxRectF>& rects) {
  return GdipOk<GDIP(GdipFillRectangles)>(Handle(), BrushOf(brush), InArray(rects), Count(rects));
}
bool GxGraphics::FillRectanglesI(const GxSolidBrush& brush, const std::vector<GxRect>& rects) {
  return GdipOk<GDIP(GdipFillRectanglesI)>(Handle(), BrushOf(brush), InArray(rects), Count(rects));
}

bool GxGraphics::FillPolygon(const GxSolidBrush& brush, const std::vector<GxPointF>& points, FillMode fillMode) {
  return GdipOk<GDIP(GdipFillPolygon)>(Handle(), BrushOf(brush), InArray(points), Count(points), fillMode);
}
bool GxGraphics::FillPolygonI(const GxSolidBrush& brush, const std::vector<GxPoint>& points, FillMode fillMode) {
  return GdipOk<GDIP(GdipFillPolygonI)>(Handle(), BrushOf(brush), InArray(points), Count(points), fillMode);
}

bool GxGraphics::FillEllipse(const GxSolidBrush& brush, float x, float y, float width, float height) {
  return GdipOk<GDIP(GdipFillEllipse)>(Handle(), BrushOf(brush), x, y, width, height);
}
bool GxGraphics::FillEllipseI(const GxSolidBrush& brush, int x, int y, int width, int height) {
  return GdipOk<GDIP(GdipFillEllipseI)>(Handle(), BrushOf(brush), x, y, width, height);
}

bool GxGraphics::FillPie(const GxSolidBrush& brush, float x, float y, float width, float height, float startAngle,
                         float sweepAngle) {
  return GdipOk<GDIP(GdipFillPie)>(Handle(), BrushOf(brush), x, y, width, height, startAngle, sweepAngle);
}
bool GxGraphics::FillPieI(const GxSolidBrush& brush, int x, int y, int width, int height, float startAngle,
                          float sweepAngle) {
  return GdipOk<GDIP(GdipFillPieI)>(Handle(), BrushOf(brush), x, y, width, height, startAngle, sweepAngle);
}

bool GxGraphics::FillPath(const GxSolidBrush& brush, const GxPath& path) {
  return GdipOk<GDIP(GdipFillPath)>(Handle(), BrushOf(brush), NativeOf<GpPath>(path));
}

bool GxGraphics::FillClosedCurve(const GxSolidBrush& brush, const std::vector<GxPointF>& points) {
  if (!CurveReachFits(Handle(), points, kDefaultTension)) return false;
  return GdipOk<GDIP(GdipFillClosedCurve)>(Handle(), BrushOf(brush), InArray(points), Count(points));
}
bool GxGraphics::FillClosedCurveTension(const GxSolidBrush& brush, const std::vector<GxPointF>& points, float tension,
                                        FillMode fillMode) {
  if (!CurveReachFits(Handle(), points, tension)) return false;
  return GdipOk<GDIP(GdipFillClosedCurve2)>(Handle(), BrushOf(brush), InArray(points), Count(points), tension,
                                            fillMode);
}
bool GxGraphics::FillClosedCurveI(const GxSolidBrush& brush, const std::vector<GxPoint>& points) {
  if (!CurveReachFits(Handle(), points, kDefaultTension)) return false;
  return GdipOk<GDIP(GdipFillClosedCurveI)>(Handle(), BrushOf(brush), InArray(points), Count(points));
}
bool GxGraphics::FillClosedCurveTensionI(const GxSolidBrush& brush, const std::vector<GxPoint>& points,
                                         float tension, FillMode fillMode) {
  if (!CurveReachFits(Handle(), points, tension)) return false;
  return GdipOk<GDIP(GdipFillClosedCurve2I)>(Handle(), BrushOf(brush), InArray(points), Count(points),
                                             tension, fillMode);
}

bool GxGraphics::FillRegion(const GxSolidBrush& brush, const GxRegion& region) {
  return GdipOk<GDIP(GdipFillRegion)>(Handle(), BrushOf(brush), NativeOf<GpRegion>(region));
}

bool GxGraphics::DrawString(const std::string& text, const GxFont& font, const GxSolidBrush& brush,
                            const GxRectF& layoutRect, const GxStringFormat* format) {
  return DrawStringW(Utf8ToWide(text), font, brush, layoutRect, format);
}
bool GxGraphics::DrawStringW(const std::wstring& text, const GxFont& font, const GxSolidBrush& brush,
                             const GxRectF& layoutRect, const GxStringFormat* format) {
  const WideArg arg(text);
  return GdipOk<GDIP(GdipDrawString)>(Handle(), arg.text, arg.length, NativeOf<GpFont>(font), AsNative(layoutRect),
                                      NativeOf<GpStringFormat>(format), BrushOf(brush));
}

bool GxGraphics::MeasureString(const std::string& text, const GxFont& font, const GxRectF& layoutRect,
                               const GxStringFormat* format, GxRectF& boundingBox) {
  return MeasureStringW(Utf8ToWide(text), font, layoutRect, format, boundingBox);
}
bool GxGraphics::MeasureStringW(const std::wstring& text, const GxFont& font, const GxRectF& layoutRect,
                                const GxStringFormat* format, GxRectF& boundingBox) {
  const WideArg arg(text);
  boundingBox = GxRectF{};  // only written, never read: what it held before is no argument
  return GdipOk<GDIP(GdipMeasureString)>(Handle(), arg.text, arg.length, NativeOf<GpFont>(font),
                                         AsNative(layoutRect), NativeOf<GpStringFormat>(format),
                                         reinterpret_cast<RectF*>(&boundingBox), nullptr, nullptr);
}

bool GxGraphics::MeasureCharacterRanges(const std::string& text, const GxFont& font, const GxRectF& layoutRect,
                                        const GxStringFormat* format, int regionCount,
                                        std::vector<std::unique_ptr<GxRegion>>& regions) {
  return MeasureCharacterRangesW(Utf8ToWide(text), font, layoutRect, format, regionCount, regions);
}

bool GxGraphics::MeasureCharacterRangesW(const std::wstring& text, const GxFont& font, const GxRectF& layoutRect,
                                         const GxStringFormat* format, int regionCount,
                                         std::vector<std::unique_ptr<GxRegion>>& regions) {
  // GDI+ fills one region per measurable range of the format (a missing format has none); any
  // more would be made for nothing, and a huge count could never be made at all.
  INT ranges = 0;
  Gdip<GDIP(GdipGetStringFormatMeasurableCharacterRangeCount)>(NativeOf<GpStringFormat>(format), &ranges);
  if (regionCount < 1 || regionCount > ranges) {
    LastStatus = GxInvalidParameter;
    return false;
  }
  std::vector<GpRegion*> handles;
  if (!Allocated(static_cast<size_t>(regionCount) * sizeof(GpRegion*),
                 [&] { handles.assign(static_cast<size_t>(regionCount), nullptr); }))
    return false;
  // On failure the regions made so far are deleted; LastStatus keeps the failure.
  auto fail = [&handles] {
    const int status = LastStatus;
    for (GpRegion* handle : handles)
      if (handle) Gdip<GDIP(GdipDeleteRegion)>(handle);
    LastStatus = status;
    return false;
  };
  for (GpRegion*& handle : handles)
    if (!GdipOk<GDIP(GdipCreateRegion)>(&handle)) return fail();
  const WideArg arg(text);
  if (!GdipOk<GDIP(GdipMeasureCharacterRanges)>(Handle(), arg.text, arg.length, NativeOf<GpFont>(font),
                                                *AsNative(layoutRect), NativeOf<GpStringFormat>(format), regionCount,
                                                handles.data()))
    return fail();

  regions.clear();
  for (GpRegion* handle : handles) {
    regions.push_back(std::make_unique<GxRegion>());
    regions.back()->SetNativeHandle(handle);
  }
  return true;
}

bool GxGraphics::DrawDriverString(const std::string& text, const GxFont& font, const GxSolidBrush& brush,
                                  const std::vector<GxPointF>& positions, int flags, const GxObject* matrix) {
  return DrawDriverStringW(Utf8ToWide(text), font, brush, positions, flags, matrix);
}
bool GxGraphics::DrawDriverStringW(const std::wstring& text, const GxFont& font, const GxSolidBrush& brush,
                                   const std::vector<GxPointF>& positions, int flags, const GxObject* matrix) {
  const WideArg arg(text);
  // GDI+ reads one position per character, or only the first when it advances by itself.
  const bool advancesItself = (flags & DriverStringOptionsRealizedAdvance) != 0;
  const std::size_t needed = advancesItself ? std::min(arg.length, 1) : arg.length;
  if (positions.size() < needed) {
    LastStatus = GxInvalidParameter;
    return false;
  }
  for (std::size_t i = 0; i < needed; ++i)
    if (!RecordFits(*AsNative(positions[i]))) {
      LastStatus = GxValueOverflow;
      return false;
    }
  return GdipOk<GDIP(GdipDrawDriverString)>(Handle(), arg.units(), arg.length, NativeOf<GpFont>(font), BrushOf(brush),
                                            InArray(positions), flags, NativeOf<GpMatrix>(matrix));
}

bool GxGraphics::SetTextContrast(unsigned contrast) { return GdipOk<GDIP(GdipSetTextContrast)>(Handle(), contrast); }
unsigned GxGraphics::GetTextContrast() { return Get<GDIP(GdipGetTextContrast), UINT>(); }

// Image sizes are in pixels, whatever the image's resolution.
bool GxGraphics::DrawImageUnscaled(const GxImage& image, float x, float y) {
  const int width = image.GetWidth(), height = image.GetHeight();
  return GdipOk<GDIP(GdipDrawImageRect)>(Handle(), ImageOf(image), x, y, static_cast<REAL>(width),
                                         static_cast<REAL>(height));
}
bool GxGraphics::DrawImageUnscaledI(const GxImage& image, int x, int y) {
  const int width = image.GetWidth(), height = image.GetHeight();
  return GdipOk<GDIP(GdipDrawImageRectI)>(Handle(), ImageOf(image), x, y, width, height);
}

bool GxGraphics::DrawImage(const GxImage& image, float x, float y) {
  return GdipOk<GDIP(GdipDrawImage)>(Handle(), ImageOf(image), x, y);
}
bool GxGraphics::DrawImageI(const GxImage& image, int x, int y) {
  return GdipOk<GDIP(GdipDrawImageI)>(Handle(), ImageOf(image), x, y);
}

bool GxGraphics::DrawCachedBitmap(const GxObject& cachedBitmap, float x, float y) {
  return GdipOk<GDIP(GdipDrawCachedBitmap)>(Handle(), NativeOf<GpCachedBitmap>(cachedBitmap), static_cast<INT>(x),
                                            static_cast<INT>(y));
}

bool GxGraphics::DrawImageStretched(const GxImage& image, float x, float y, float width, float height, Unit srcUnit) {
  const int imageWidth = image.GetWidth(), imageHeight = image.GetHeight();
  return DrawImageRectRect(image, x, y, width, height, 0, 0, static_cast<REAL>(imageWidth),
                           static_cast<REAL>(imageHeight), srcUnit);
}
bool GxGraphics::DrawImageStretchedI(const GxImage& image, int x, int y, int width, int height, Unit srcUnit) {
  return DrawImageRectRectI(image, x, y, width, height, 0, 0, image.GetWidth(), image.GetHeight(), srcUnit);
}

bool GxGraphics::DrawImagePoints(const GxImage& image, float x1, float y1, float x2, float y2, float x3, float y3) {
  const std::vector<GxPointF> corners{{x1, y1}, {x2, y2}, {x3, y3}};
  return GdipOk<GDIP(GdipDrawImagePoints)>(Handle(), ImageOf(image), InArray(corners), Count(corners));
}
bool GxGraphics::DrawImagePointsI(const GxImage& image, int x1, int y1, int x2, int y2, int x3, int y3) {
  const std::vector<GxPoint> corners{{x1, y1}, {x2, y2}, {x3, y3}};
  return GdipOk<GDIP(GdipDrawImagePointsI)>(Handle(), ImageOf(image), InArray(corners), Count(corners));
}

bool GxGraphics::DrawImagePointRect(const GxImage& image, float x, float y, float srcX, float srcY, float srcWidth,
                                    float srcHeight, Unit srcUnit) {
  return GdipOk<GDIP(GdipDrawImagePointRect)>(Handle(), ImageOf(image), x, y, srcX, srcY, srcWidth, srcHeight,
                                              srcUnit);
}
bool GxGraphics::DrawImagePointRectI(const GxImage& image, int x, int y, int srcX, int srcY, int srcWidth,
                                     int srcHeight, Unit srcUnit) {
  return GdipOk<GDIP(GdipDrawImagePointRectI)>(Handle(), ImageOf(image), x, y, srcX, srcY, srcWidth, srcHeight,
                                               srcUnit);
}

bool GxGraphics::DrawImageRectRect(const GxImage& image, float dstX, float dstY, float dstWidth, float dstHeight,
                                   float srcX, float srcY, float srcWidth, float srcHeight, Unit srcUnit,
                                   const GxImageAttributes* attributes) {
  return GdipOk<GDIP(GdipDrawImageRectRect)>(Handle(), ImageOf(image), dstX, dstY, dstWidth, dstHeight, srcX, srcY,
                                             srcWidth, srcHeight, srcUnit, AttributesOf(attributes), nullptr, nullptr);
}
bool GxGraphics::DrawImageRectRectI(const GxImage& image, int dstX, int dstY, int dstWidth, int dstHeight, int srcX,
                                    int srcY, int srcWidth, int srcHeight, Unit srcUnit,
                                    const GxImageAttributes* attributes) {
  return GdipOk<GDIP(GdipDrawImageRectRectI)>(Handle(), ImageOf(image), dstX, dstY, dstWidth, dstHeight, srcX, srcY,
                                              srcWidth, srcHeight, srcUnit, AttributesOf(attributes), nullptr,
                                              nullptr);
}

bool GxGraphics::DrawImagePointsRect(const GxImage& image, float x1, float y1, float x2, float y2, float x3, float y3,
                                     float srcX, float srcY, float srcWidth, float srcHeight, Unit srcUnit,
                                     const GxImageAttributes* attributes) {
  const std::vector<GxPointF> corners{{x1, y1}, {x2, y2}, {x3, y3}};
  return GdipOk<GDIP(GdipDrawImagePointsRect)>(Handle(), ImageOf(image), InArray(corners), Count(corners),
                                               srcX, srcY, srcWidth, srcHeight, srcUnit, AttributesOf(attributes),
                                               nullptr, nullptr);
}
bool GxGraphics::DrawImagePointsRectI(const GxImage& image, int x1, int y1, int x2, int y2, int x3, int y3, int srcX,
                                      int srcY, int srcWidth, int srcHeight, Unit srcUnit,
                                      const GxImageAttributes* attributes) {
  const std::vector<GxPoint> corners{{x1, y1}, {x2, y2}, {x3, y3}};
  return GdipOk<GDIP(GdipDrawImagePointsRectI)>(Handle(), ImageOf(image), InArray(corners), Count(corners),
                                                srcX, srcY, srcWidth, srcHeight, srcUnit, AttributesOf(attributes),
                                                nullptr, nullptr);
}

bool GxGraphics::EnumerateMetafileDestPoint(const GxImage& metafile, const GxPointF& destPoint,
                                            MetafileCallback callback, void* callbackData,
                                            const GxImageAttributes* attributes) {
  return GdipOk<GDIP(GdipEnumerateMetafileDestPoint)>(Handle(), MetafileOf(metafile), *AsNative(destPoint), callback,
                                                      callbackData, AttributesOf(attributes));
}
bool GxGraphics::EnumerateMetafileDestPointI(const GxImage& metafile, const GxPoint& destPoint,
                                             MetafileCallback callback, void* callbackData,
                                             const GxImageAttributes* attributes) {
  return GdipOk<GDIP(GdipEnumerateMetafileDestPointI)>(Handle(), MetafileOf(metafile), *AsNative(destPoint),
                                                       callback, callbackData, AttributesOf(attributes));
}
bool GxGraphics::EnumerateMetafileDestPoints(const GxImage& metafile, const std::vector<GxPointF>& destPoints,
                                             MetafileCallback callback, void* callbackData,
                                             const GxImageAttributes* attributes) {
  if (!ParallelogramInside(destPoints.size())) return false;
  return GdipOk<GDIP(GdipEnumerateMetafileDestPoints)>(Handle(), MetafileOf(metafile), InArray(destPoints),
                                                       Count(destPoints), callback, callbackData,
                                                       AttributesOf(attributes));
}
bool GxGraphics::EnumerateMetafileDestPointsI(const GxImage& metafile, const std::vector<GxPoint>& destPoints,
                                              MetafileCallback callback, void* callbackData,
                                              const GxImageAttributes* attributes) {
  if (!ParallelogramInside(destPoints.size())) return false;
  return GdipOk<GDIP(GdipEnumerateMetafileDestPointsI)>(Handle(), MetafileOf(metafile), InArray(destPoints),
                                                        Count(destPoints), callback, callbackData,
                                                        AttributesOf(attributes));
}
bool GxGraphics::EnumerateMetafileDestRect(const GxImage& metafile, const GxRectF& destRect, MetafileCallback callback,
                                           void* callbackData, const GxImageAttributes* attributes) {
  return GdipOk<GDIP(GdipEnumerateMetafileDestRect)>(Handle(), MetafileOf(metafile), *AsNative(destRect), callback,
                                                     callbackData, AttributesOf(attributes));
}
bool GxGraphics::EnumerateMetafileDestRectI(const GxImage& metafile, const GxRect& destRect, MetafileCallback callback,
                                            void* callbackData, const GxImageAttributes* attributes) {
  return GdipOk<GDIP(GdipEnumerateMetafileDestRectI)>(Handle(), MetafileOf(metafile), *AsNative(destRect), callback,
                                                      callbackData, AttributesOf(attributes));
}
bool GxGraphics::EnumerateMetafileSrcRectDestPoint(const GxImage& metafile, const GxPointF& destPoint,
                                                   const GxRectF& srcRect, Unit srcUnit, MetafileCallback callback,
                                                   void* callbackData, const GxImageAttributes* attributes) {
  return GdipOk<GDIP(GdipEnumerateMetafileSrcRectDestPoint)>(Handle(), MetafileOf(metafile), *AsNative(destPoint),
                                                             *AsNative(srcRect), srcUnit, callback, callbackData,
                                                             AttributesOf(attributes));
}
bool GxGraphics::EnumerateMetafileSrcRectDestPointI(const GxImage& metafile, const GxPoint& destPoint,
                                                    const GxRect& srcRect, Unit srcUnit, MetafileCallback callback,
                                                    void* callbackData, const GxImageAttributes* attributes) {
  return GdipOk<GDIP(GdipEnumerateMetafileSrcRectDestPointI)>(Handle(), MetafileOf(metafile), *AsNative(destPoint),
                                                              *AsNative(srcRect), srcUnit, callback, callbackData,
                                                              AttributesOf(attributes));
}
bool GxGraphics::EnumerateMetafileSrcRectDestPoints(const GxImage& metafile, const std::vector<GxPointF>& destPoints,
                                                    const GxRectF& srcRect, Unit srcUnit, MetafileCallback callback,
                                                    void* callbackData, const GxImageAttributes* attributes) {
  if (!ParallelogramInside(destPoints.size())) return false;
  return GdipOk<GDIP(GdipEnumerateMetafileSrcRectDestPoints)>(Handle(), MetafileOf(metafile),
                                                              InArray(destPoints), Count(destPoints),
                                                              *AsNative(srcRect), srcUnit, callback, callbackData,
                                                              AttributesOf(attributes));
}
bool GxGraphics::EnumerateMetafileSrcRectDestPointsI(const GxImage& metafile, const std::vector<GxPoint>& destPoints,
                                                     const GxRect& srcRect, Unit srcUnit, MetafileCallback callback,
                                                     void* callbackData, const GxImageAttributes* attributes) {
  if (!ParallelogramInside(destPoints.size())) return false;
  return GdipOk<GDIP(GdipEnumerateMetafileSrcRectDestPointsI)>(Handle(), MetafileOf(metafile),
                                                               InArray(destPoints), Count(destPoints),
                                                               *AsNative(srcRect), srcUnit, callback, callbackData,
                                                               AttributesOf(attributes));
}
bool GxGraphics::EnumerateMetafileSrcRectDestRect(const GxImage& metafile, const GxRectF& destRect,
                                                  const GxRectF& srcRect, Unit srcUnit, MetafileCallback callback,
                                                  void* callbackData, const GxImageAttributes* attributes) {
  return GdipOk<GDIP(GdipEnumerateMetafileSrcRectDestRect)>(Handle(), MetafileOf(metafile), *AsNative(destRect),
                                                            *AsNative(srcRect), srcUnit, callback, callbackData,
                                                            AttributesOf(attributes));
}
bool GxGraphics::EnumerateMetafileSrcRectDestRectI(const GxImage& metafile, const GxRect& destRect,
                                                   const GxRect& srcRect, Unit srcUnit, MetafileCallback callback,
                                                   void* callbackData, const GxImageAttributes* attributes) {
  return GdipOk<GDIP(GdipEnumerateMetafileSrcRectDestRectI)>(Handle(), MetafileOf(metafile), *AsNative(destRect),
                                                             *AsNative(srcRect), srcUnit, callback, callbackData,
                                                             AttributesOf(attributes));
}

bool GxGraphics::SetClipGraphics(const GxGraphics& other, CombineMode combineMode) {
  return GdipOk<GDIP(GdipSetClipGraphics)>(Handle(), other.Handle(), combineMode);
}
bool GxGraphics::SetClipPath(const GxPath& path, CombineMode combineMode) {
  return GdipOk<GDIP(GdipSetClipPath)>(Handle(), NativeOf<GpPath>(path), combineMode);
}
bool GxGraphics::SetClipRect(float x, float y, float width, float height, CombineMode combineMode) {
  return GdipOk<GDIP(GdipSetClipRect)>(Handle(), x, y, width, height, combineMode);
}
bool GxGraphics::SetClipRectI(int x, int y, int width, int height, CombineMode combineMode) {
  return GdipOk<GDIP(GdipSetClipRectI)>(Handle(), x, y, width, height, combineMode);
}
bool GxGraphics::SetClipRegion(const GxRegion& region, CombineMode combineMode) {
  return GdipOk<GDIP(GdipSetClipRegion)>(Handle(), NativeOf<GpRegion>(region), combineMode);
}
bool GxGraphics::SetClipHrgn(HRGN hrgn, CombineMode combineMode) {
  return GdipOk<GDIP(GdipSetClipHrgn)>(Handle(), hrgn, combineMode);
}
bool GxGraphics::ResetClip() { return GdipOk<GDIP(GdipResetClip)>(Handle()); }
bool GxGraphics::TranslateClip(float dx, float dy) { return GdipOk<GDIP(GdipTranslateClip)>(Handle(), dx, dy); }
bool GxGraphics::TranslateClipI(int dx, int dy) { return GdipOk<GDIP(GdipTranslateClipI)>(Handle(), dx, dy); }
bool GxGraphics::GetClip(GxRegion& region) {
  return GdipOk<GDIP(GdipGetClip)>(Handle(), NativeOf<GpRegion>(region));
}

GxRectF GxGraphics::GetClipBounds() { return BoundsOf<GDIP(GdipGetClipBounds), GxRectF>(Handle()); }
GxRect GxGraphics::GetClipBoundsI() { return BoundsOf<GDIP(GdipGetClipBoundsI), GxRect>(Handle()); }
GxRectF GxGraphics::GetVisibleClipBounds() {
  return BoundsOf<GDIP(GdipGetVisibleClipBounds), GxRectF>(Handle());
}
GxRect GxGraphics::GetVisibleClipBoundsI() {
  return BoundsOf<GDIP(GdipGetVisibleClipBoundsI), GxRect>(Handle());
}

bool GxGraphics::IsClipEmpty() { return Is<GDIP(GdipIsClipEmpty)>(); }
bool GxGraphics::IsVisibleClipEmpty() { return Is<GDIP(GdipIsVisibleClipEmpty)>(); }
bool GxGraphics::IsVisiblePoint(float x, float y) { return Is<GDIP(GdipIsVisiblePoint)>(x, y); }
bool GxGraphics::IsVisiblePointI(int x, int y) { return Is<GDIP(GdipIsVisiblePointI)>(x, y); }
bool GxGraphics::IsVisibleRect(float x, float y, float width, float height) {
  return Is<GDIP(GdipIsVisibleRect)>(x, y, width, height);
}
bool GxGraphics::IsVisibleRectI(int x, int y, int width, int height) {
  return Is<GDIP(GdipIsVisibleRectI)>(x, y, width, height);
}

GraphicsState GxGraphics::Save() { return Get<GDIP(GdipSaveGraphics), GraphicsState>(); }
bool GxGraphics::Restore(GraphicsState state) { return GdipOk<GDIP(GdipRestoreGraphics)>(Handle(), state); }

GraphicsContainer GxGraphics::BeginContainer(const GxRectF& dstRect, const GxRectF& srcRect, Unit unit) {
  GraphicsContainer state = 0;
  Gdip<GDIP(GdipBeginContainer)>(Handle(), AsNative(dstRect), AsNative(srcRect), unit, &state);
  return state;
}
GraphicsContainer GxGraphics::BeginContainerI(const GxRect& dstRect, const GxRect& srcRect, Unit unit) {
  GraphicsContainer state = 0;
  Gdip<GDIP(GdipBeginContainerI)>(Handle(), AsNative(dstRect), AsNative(srcRect), unit, &state);
  return state;
}
GraphicsContainer GxGraphics::BeginContainerPlain() { return Get<GDIP(GdipBeginContainer2), GraphicsContainer>(); }
bool GxGraphics::EndContainer(GraphicsContainer state) { return GdipOk<GDIP(GdipEndContainer)>(Handle(), state); }

bool GxGraphics::AddComment(const Bytes& data) {
  return GdipOk<GDIP(GdipComment)>(Handle(), static_cast<UINT>(data.size()), data.empty() ? nullptr : data.data());
}
