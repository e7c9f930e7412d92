#include "gx/GxPath.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "gx/CurveReach.h"
#include "gx/GxArgumentGuards.h"
#include "gx/GxFontFamily.h"
#include "gx/GxGraphics.h"
#include "gx/GxHandOver.h"
#include "gx/GxNativeRecord.h"
#include "gx/GxPen.h"
#include "gx/PathTypes.h"
#include "gx/GxStringFormat.h"
#include "gx/GxText.h"

using namespace Gdiplus;

namespace {

GpMatrix* MatrixOf(const GxObject* matrix) { return NativeOf<GpMatrix>(matrix); }
GpPen* PenOf(const GxPen* pen) { return NativeOf<GpPen>(pen); }
GpGraphics* GraphicsOf(const GxGraphics* graphics) { return NativeOf<GpGraphics>(graphics); }

// The layout GdipGetPathData fills: a count and two arrays that the caller provides.
struct NativePathData {
  INT count;
  PointF* points;
  BYTE* types;
};

// The elements GDI+ fills, in place: the records have GDI+'s own layout.
BYTE* NativeData(Bytes& types) { return types.data(); }
PointF* NativeData(std::vector<GxPointF>& points) { return reinterpret_cast<PointF*>(points.data()); }
Point* NativeData(std::vector<GxPoint>& points) { return reinterpret_cast<Point*>(points.data()); }
static_assert(sizeof(GxPointF) == sizeof(PointF) && sizeof(GxPoint) == sizeof(Point), "point layouts differ");

// The call guard sees only the first point of GdipCreatePath2's array, which no count follows.
template <typename Record>
bool PointsFit(const std::vector<Record>& points) {
  for (const Record& point : points)
    if (!RecordFits(*AsNative(point))) return false;
  return true;
}

// GDI+ keeps coordinates to a sixteenth of a unit, so a finer flatness buys nothing; under Wine
// a flatness of zero, a tiny or a negative one subdivides a curve for minutes. So does one that
// the float rounding of coordinates `reach` out swamps: Wine tests each piece against its chord
// on products of two coordinates (a corner two pixels long at (441, 357) halved for good at a
// sixteenth). NaN is left for the call guard to refuse.
float Flatness(float flatness, double reach) {
  const float finest = std::max(1.0f / 16, static_cast<float>(reach / 4096));
  return flatness < finest ? finest : flatness;
}

// A text argument as GDI+ takes it: null when empty, and as long as it is up to its first NUL.
int WideLength(const wchar_t* text) { return text ? lstrlenW(text) : 0; }

}  // namespace

float GxPath::FlatnessFor(const GxObject* matrix, float flatness) const {
  return Flatness(flatness, PathReach(Handle(), MatrixOf(matrix)));
}

GxPath::~GxPath() { Delete(); }

bool GxPath::Delete() {
  if (!Handle()) return false;
  const bool ok = GdipOk<GDIP(GdipDeletePath)>(Handle());
  SetNativeHandle(nullptr);
  return ok;
}

bool GxPath::Create(FillMode fillMode) {
  if (Handle()) Delete();
  const bool ok = GdipOk<GDIP(GdipCreatePath)>(fillMode, NativeSlot<GpPath>());
  SetNativeHandle(GetNativeHandle());
  return ok;
}

bool GxPath::CreateFromPoints(std::vector<GxPointF>& points, const Bytes& types, FillMode fillMode) {
  if (Handle()) Delete();
  bool ok = false;
  if (points.size() < types.size() || !PathTypesValid(types)) {
    LastStatus = GxInvalidParameter;  // GDI+ would read points past the end of the array
  } else if (!PointsFit(points)) {
    LastStatus = GxValueOverflow;
  } else {
    ok = WithNativeArray<PointF>(points, [&](PointF* data, int) {
      return GdipOk<GDIP(GdipCreatePath2)>(data, types.data(), static_cast<int>(types.size()), fillMode,
                                            NativeSlot<GpPath>());
    });
  }
  SetNativeHandle(GetNativeHandle());
  return ok;
}

bool GxPath::CreateFromPointsI(std::vector<GxPoint>& points, const Bytes& types, FillMode fillMode) {
  if (Handle()) Delete();
  bool ok = false;
  if (points.size() < types.size() || !PathTypesValid(types)) {
    LastStatus = GxInvalidParameter;
  } else if (!PointsFit(points)) {
    LastStatus = GxValueOverflow;
  } else {
    ok = WithNativeArray<Point>(points, [&](Point* data, int) {
      return GdipOk<GDIP(GdipCreatePath2I)>(data, types.data(), static_cast<int>(types.size()), fillMode,
                                             NativeSlot<GpPath>());
    });
  }
  SetNativeHandle(GetNativeHandle());
  return ok;
}

bool GxPath::Clone(GxPath& target) const {
  GpPath* copy = nullptr;
  const int status = Gdip<GDIP(GdipClonePath)>(Handle(), &copy);
  return HandOver(target, copy, status);
}

bool GxPath::Reset() { return GdipOk<GDIP(GdipResetPath)>(Handle()); }

FillMode GxPath::GetFillMode() const {
  FillMode mode{};
  Gdip<GDIP(GdipGetPathFillMode)>(Handle(), &mode);
  return mode;
}

bool GxPath::SetFillMode(FillMode mode) { return GdipOk<GDIP(GdipSetPathFillMode)>(Handle(), mode); }

bool GxPath::GetPathData(GxPathData& data) const {
  INT count = 0;
  if (Gdip<GDIP(GdipGetPointCount)>(Handle(), &count) != GxOk) return false;
  const std::size_t size = static_cast<std::size_t>(std::max(count, 0));
  data.count = count;
  data.points.assign(size, GxPointF{});
  data.types.assign(size, 0);
  if (count <= 0) return false;
  std::vector<PointF> points(size);
  Bytes types(size, 0);
  NativePathData native{count, points.data(), types.data()};
  if (Gdip<GDIP(GdipGetPathData)>(Handle(), reinterpret_cast<GpPathData*>(&native)) != GxOk) return false;
  for (std::size_t i = 0; i < size; ++i) data.points[i] = GxPointF{points[i].X, points[i].Y};
  data.types = std::move(types);
  return true;
}

int GxPath::CountToRead(const OptInt& count) const {
  if (count) {
    if (*count >= 0) return *count;
    LastStatus = GxInvalidParameter;
    return -1;
  }
  INT pointCount = 0;
  if (Gdip<GDIP(GdipGetPointCount)>(Handle(), &pointCount) != GxOk || pointCount <= 0) return -1;
  return pointCount;
}

// The caller's array is replaced by the elements to read, then filled. A count no memory can
// hold leaves it as it was.
template <auto Entry, typename Element>
bool GxPath::ReadArray(std::vector<Element>& out, const OptInt& count) const {
  const int n = CountToRead(count);
  if (n < 0) return false;
  std::vector<Element> read;
  if (!Allocated(static_cast<std::size_t>(n) * sizeof(Element), [&] { read.assign(static_cast<std::size_t>(n), Element{}); }))
    return false;
  out = std::move(read);
  return GdipOk<Entry>(Handle(), NativeData(out), n);
}

bool GxPath::GetPathTypes(Bytes& types, OptInt count) const {
  return ReadArray<GDIP(GdipGetPathTypes)>(types, count);
}

bool GxPath::GetPathPoints(std::vector<GxPointF>& points, OptInt count) const {
  return ReadArray<GDIP(GdipGetPathPoints)>(points, count);
}

bool GxPath::GetPathPointsI(std::vector<GxPoint>& points, OptInt count) const {
  return ReadArray<GDIP(GdipGetPathPointsI)>(points, count);
}

bool GxPath::StartFigure() { return GdipOk<GDIP(GdipStartPathFigure)>(Handle()); }
bool GxPath::CloseFigure() { return GdipOk<GDIP(GdipClosePathFigure)>(Handle()); }
bool GxPath::CloseAllFigures() { return GdipOk<GDIP(GdipClosePathFigures)>(Handle()); }
bool GxPath::SetMarker() { return GdipOk<GDIP(GdipSetPathMarker)>(Handle()); }
bool GxPath::ClearMarkers() { return GdipOk<GDIP(GdipClearPathMarkers)>(Handle()); }
bool GxPath::Reverse() { return GdipOk<GDIP(GdipReversePath)>(Handle()); }

GxPointF GxPath::GetLastPoint() const {
  PointF point;
  Gdip<GDIP(GdipGetPathLastPoint)>(Handle(), &point);
  return GxPointF{point.X, point.Y};
}

bool GxPath::AddLine(float x1, float y1, float x2, float y2) {
  return GdipOk<GDIP(GdipAddPathLine)>(Handle(), x1, y1, x2, y2);
}

bool GxPath::AddLineI(int x1, int y1, int x2, int y2) {
  return GdipOk<GDIP(GdipAddPathLineI)>(Handle(), x1, y1, x2, y2);
}

bool GxPath::AddLines(std::vector<GxPointF>& points) {
  return GdipOkWithArray<GDIP(GdipAddPathLine2)>(Handle(), points);
}

bool GxPath::AddLinesI(std::vector<GxPoint>& points) {
  return GdipOkWithArray<GDIP(GdipAddPathLine2I)>(Handle(), points);
}

bool GxPath::AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle) {
  return GdipOk<GDIP(GdipAddPathArc)>(Handle(), x, y, width, height, startAngle, sweepAngle);
}

bool GxPath::AddArcI(int x, int y, int width, int height, float startAngle, float sweepAngle) {
  return GdipOk<GDIP(GdipAddPathArcI)>(Handle(), x, y, width, height, startAngle, sweepAngle);
}

bool GxPath::AddBezier(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4) {
  return GdipOk<GDIP(GdipAddPathBezier)>(Handle(), x1, y1, x2, y2, x3, y3, x4, y4);
}

bool GxPath::AddBezierI(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  return GdipOk<GDIP(GdipAddPathBezierI)>(Handle(), x1, y1, x2, y2, x3, y3, x4, y4);
}

bool GxPath::AddBeziers(std::vector<GxPointF>& points) {
  return GdipOkWithArray<GDIP(GdipAddPathBeziers)>(Handle(), points);
}

bool GxPath::AddBeziersI(std::vector<GxPoint>& points) {
  return GdipOkWithArray<GDIP(GdipAddPathBeziersI)>(Handle(), points);
}

bool GxPath::AddCurve(std::vector<GxPointF>& points) {
  return GdipOkWithArray<GDIP(GdipAddPathCurve)>(Handle(), points);
}

bool GxPath::AddCurveTension(std::vector<GxPointF>& points, float tension) {
  return GdipOkWithArray<GDIP(GdipAddPathCurve2)>(Handle(), points, tension);
}

bool GxPath::AddCurveSegment(std::vector<GxPointF>& points, int offset, int segmentCount, float tension) {
  if (!SegmentsInside(points.size(), offset, segmentCount)) return false;
  return GdipOkWithArray<GDIP(GdipAddPathCurve3)>(Handle(), points, offset, segmentCount, tension);
}

bool GxPath::AddCurveI(std::vector<GxPoint>& points) {
  return GdipOkWithArray<GDIP(GdipAddPathCurveI)>(Handle(), points);
}

bool GxPath::AddCurveTensionI(std::vector<GxPoint>& points, float tension) {
  return GdipOkWithArray<GDIP(GdipAddPathCurve2I)>(Handle(), points, tension);
}

bool GxPath::AddCurveSegmentI(std::vector<GxPoint>& points, int offset, int segmentCount, float tension) {
  if (!SegmentsInside(points.size(), offset, segmentCount)) return false;
  return GdipOkWithArray<GDIP(GdipAddPathCurve3I)>(Handle(), points, offset, segmentCount, tension);
}

bool GxPath::AddClosedCurve(std::vector<GxPointF>& points) {
  return GdipOkWithArray<GDIP(GdipAddPathClosedCurve)>(Handle(), points);
}

bool GxPath::AddClosedCurveTension(std::vector<GxPointF>& points, float tension) {
  return GdipOkWithArray<GDIP(GdipAddPathClosedCurve2)>(Handle(), points, tension);
}

bool GxPath::AddClosedCurveI(std::vector<GxPoint>& points) {
  return GdipOkWithArray<GDIP(GdipAddPathClosedCurveI)>(Handle(), points);
}

bool GxPath::AddClosedCurveTensionI(std::vector<GxPoint>& points, float tension) {
  return GdipOkWithArray<GDIP(GdipAddPathClosedCurve2I)>(Handle(), points, tension);
}

bool GxPath::AddRectangle(float x, float y, float width, float height) {
  return GdipOk<GDIP(GdipAddPathRectangle)>(Handle(), x, y, width, height);
}

// Arcs clockwise from the top right corner; a failing arc only shows in the closing call.
bool GxPath::AddRoundedRectangle(float x, float y, float width, float height, int roundness) {
  const double percent = std::clamp(roundness, 1, 100);
  const float arcW = static_cast<float>(std::trunc(width * percent / 100.0));
  const float arcH = static_cast<float>(std::trunc(height * percent / 100.0));
  AddArc(x + width - arcW, y, arcW, arcH, 270, 90);
  AddArc(x + width - arcW, y + height - arcH, arcW, arcH, 0, 90);
  AddArc(x, y + height - arcH, arcW, arcH, 90, 90);
  AddArc(x, y, arcW, arcH, 180, 90);
  return CloseFigure();
}

bool GxPath::AddRectangles(std::vector<GxRectF>& rects) {
  return GdipOkWithArray<GDIP(GdipAddPathRectangles)>(Handle(), rects);
}

bool GxPath::AddRectangleI(int x, int y, int width, int height) {
  return GdipOk<GDIP(GdipAddPathRectangleI)>(Handle(), x, y, width, height);
}

bool GxPath::AddRectanglesI(std::vector<GxRect>& rects) {
  return GdipOkWithArray<GDIP(GdipAddPathRectanglesI)>(Handle(), rects);
}

bool GxPath::AddEllipse(float x, float y, float width, float height) {
  return GdipOk<GDIP(GdipAddPathEllipse)>(Handle(), x, y, width, height);
}

bool GxPath::AddEllipseI(int x, int y, int width, int height) {
  return GdipOk<GDIP(GdipAddPathEllipseI)>(Handle(), x, y, width, height);
}

bool GxPath::AddPie(float x, float y, float width, float height, float startAngle, float sweepAngle) {
  return GdipOk<GDIP(GdipAddPathPie)>(Handle(), x, y, width, height, startAngle, sweepAngle);
}

bool GxPath::AddPieI(int x, int y, int width, int height, float startAngle, float sweepAngle) {
  return GdipOk<GDIP(GdipAddPathPieI)>(Handle(), x, y, width, height, startAngle, sweepAngle);
}

bool GxPath::AddPolygon(std::vector<GxPointF>& points) {
  return GdipOkWithArray<GDIP(GdipAddPathPolygon)>(Handle(), points);
}

bool GxPath::AddPolygonI(std::vector<GxPoint>& points) {
  return GdipOkWithArray<GDIP(GdipAddPathPolygonI)>(Handle(), points);
}

bool GxPath::AddPath(const GxPath& path, bool connect) {
  return GdipOk<GDIP(GdipAddPathPath)>(Handle(), path.Handle(), connect ? TRUE : FALSE);
}

bool GxPath::AddString(const std::string& text, const GxFontFamily& family, int emSize, const GxRectF& layoutRect,
                       int style, const GxStringFormat* format) {
  return AddStringW(Utf8ToWide(text), family, emSize, layoutRect, style, format);
}

bool GxPath::AddStringW(const std::wstring& text, const GxFontFamily& family, int emSize, const GxRectF& layoutRect,
                        int style, const GxStringFormat* format) {
  const wchar_t* wide = WideOrNull(text);
  return GdipOk<GDIP(GdipAddPathString)>(Handle(), wide, WideLength(wide), NativeOf<GpFontFamily>(family), style,
                                          static_cast<REAL>(emSize), AsNative(layoutRect),
                                          NativeOf<GpStringFormat>(format));
}

bool GxPath::AddStringI(const std::string& text, const GxFontFamily& family, int emSize, const GxRect& layoutRect,
                        int style, const GxStringFormat* format) {
  return AddStringWI(Utf8ToWide(text), family, emSize, layoutRect, style, format);
}

bool GxPath::AddStringWI(const std::wstring& text, const GxFontFamily& family, int emSize, const GxRect& layoutRect,
                         int style, const GxStringFormat* format) {
  const wchar_t* wide = WideOrNull(text);
  return GdipOk<GDIP(GdipAddPathStringI)>(Handle(), wide, WideLength(wide), NativeOf<GpFontFamily>(family), style,
                                           static_cast<REAL>(emSize), AsNative(layoutRect),
                                           NativeOf<GpStringFormat>(format));
}

bool GxPath::Transform(const GxObject& matrix) { return GdipOk<GDIP(GdipTransformPath)>(Handle(), MatrixOf(&matrix)); }

bool GxPath::Flatten(const GxObject* matrix, float flatness) {
  if (!PathReachFits(Handle(), MatrixOf(matrix))) return false;
  return GdipOk<GDIP(GdipFlattenPath)>(Handle(), MatrixOf(matrix), FlatnessFor(matrix, flatness));
}

bool GxPath::Widen(const GxPen& pen, const GxObject* matrix, float flatness) {
  if (!PathReachFits(Handle(), MatrixOf(matrix))) return false;
  return GdipOk<GDIP(GdipWidenPath)>(Handle(), PenOf(&pen), MatrixOf(matrix), FlatnessFor(matrix, flatness));
}

bool GxPath::Outline(const GxObject* matrix, float flatness) {
  if (!PathReachFits(Handle(), MatrixOf(matrix))) return false;
  return GdipOk<GDIP(GdipWindingModeOutline)>(Handle(), MatrixOf(matrix), FlatnessFor(matrix, flatness));
}

bool GxPath::Warp(std::vector<GxPointF>& destPoints, const GxRectF& srcRect, const GxObject* matrix, WarpMode warpMode,
                  float flatness) {
  if (!ParallelogramInside(destPoints.size())) return false;
  return WithNativeArray<PointF>(destPoints, [&](PointF* data, int count) {
    return GdipOk<GDIP(GdipWarpPath)>(Handle(), MatrixOf(matrix), data, count, srcRect.x, srcRect.y, srcRect.width,
                                       srcRect.height, warpMode, FlatnessFor(matrix, flatness));
  });
}

int GxPath::GetPointCount() const {
  INT count = 0;
  Gdip<GDIP(GdipGetPointCount)>(Handle(), &count);
  return count;
}

GxRectF GxPath::GetBounds(const GxObject* matrix, const GxPen* pen) const {
  GxRectF bounds;
  Gdip<GDIP(GdipGetPathWorldBounds)>(Handle(), reinterpret_cast<RectF*>(&bounds), MatrixOf(matrix), PenOf(pen));
  return bounds;
}

GxRect GxPath::GetBoundsI(const GxObject* matrix, const GxPen* pen) const {
  GxRect bounds;
  Gdip<GDIP(GdipGetPathWorldBoundsI)>(Handle(), reinterpret_cast<Rect*>(&bounds), MatrixOf(matrix), PenOf(pen));
  return bounds;
}

bool GxPath::IsVisible(float x, float y, const GxGraphics* graphics) const {
  BOOL visible = FALSE;
  Gdip<GDIP(GdipIsVisiblePathPoint)>(Handle(), x, y, GraphicsOf(graphics), &visible);
  return visible != FALSE;
}

bool GxPath::IsVisibleI(int x, int y, const GxGraphics* graphics) const {
  BOOL visible = FALSE;
  Gdip<GDIP(GdipIsVisiblePathPointI)>(Handle(), x, y, GraphicsOf(graphics), &visible);
  return visible != FALSE;
}

bool GxPath::IsOutlineVisible(float x, float y, const GxPen& pen, const GxGraphics* graphics) const {
  BOOL visible = FALSE;
  if (!PathReachFits(Handle(), nullptr)) return false;
  Gdip<GDIP(GdipIsOutlineVisiblePathPoint)>(Handle(), x, y, PenOf(&pen), GraphicsOf(graphics), &visible);
  return visible != FALSE;
}

bool GxPath::IsOutlineVisibleI(int x, int y, const GxPen& pen, const GxGraphics* graphics) const {
  BOOL visible = FALSE;
  if (!PathReachFits(Handle(), nullptr)) return false;
  Gdip<GDIP(GdipIsOutlineVisiblePathPointI)>(Handle(), x, y, PenOf(&pen), GraphicsOf(graphics), &visible);
  return visible != FALSE;
}
