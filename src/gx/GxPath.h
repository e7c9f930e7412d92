#pragma once
// A GDI+ graphics path: figures of lines, arcs, curves, shapes and text, drawn or filled through
// GxGraphics. Point arrays are copied to GDI+ and back, so calls that move points update them.

#include <string>
#include <vector>

#include "gx/GxObject.h"
#include "gx/GxTypes.h"

class GxFontFamily;
class GxGraphics;
class GxPen;
class GxStringFormat;

// A path's points and their GDI+ point-type bytes, `count` of each.
struct GxPathData {
  int count = 0;
  std::vector<GxPointF> points;
  Bytes types;
};

class GxPath : public GxObject {
 public:
  GxPath() = default;
  ~GxPath() override;

  bool Delete();
  bool Create(Gdiplus::FillMode fillMode = Gdiplus::FillModeAlternate);
  // One point per type byte: the count comes from `types`, and `points` must hold at least as
  // many points; fewer, or types that make no path (a figure not opened by a start point, Bezier
  // points not in threes), fail with InvalidParameter, making no path.
  bool CreateFromPoints(std::vector<GxPointF>& points, const Bytes& types,
                        Gdiplus::FillMode fillMode = Gdiplus::FillModeAlternate);
  bool CreateFromPointsI(std::vector<GxPoint>& points, const Bytes& types,
                         Gdiplus::FillMode fillMode = Gdiplus::FillModeAlternate);
  // The target receives the copy and releases what it held before.
  bool Clone(GxPath& target) const;
  bool Reset();
  Gdiplus::FillMode GetFillMode() const;
  bool SetFillMode(Gdiplus::FillMode mode);

  // Replaces data by the path's points and types; false (with count 0 and empty arrays) for a
  // path without points.
  bool GetPathData(GxPathData& data) const;
  // Replace the array by `count` elements (all points when count is not given) and fill them. A
  // count no memory can hold fails with OutOfMemory and leaves the array.
  bool GetPathTypes(Bytes& types, OptInt count = {}) const;
  bool GetPathPoints(std::vector<GxPointF>& points, OptInt count = {}) const;
  bool GetPathPointsI(std::vector<GxPoint>& points, OptInt count = {}) const;

  bool StartFigure();
  bool CloseFigure();
  bool CloseAllFigures();
  bool SetMarker();
  bool ClearMarkers();
  bool Reverse();
  GxPointF GetLastPoint() const;

  bool AddLine(float x1, float y1, float x2, float y2);
  bool AddLineI(int x1, int y1, int x2, int y2);
  bool AddLines(std::vector<GxPointF>& points);
  bool AddLinesI(std::vector<GxPoint>& points);
  bool AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle);
  bool AddArcI(int x, int y, int width, int height, float startAngle, float sweepAngle);
  bool AddBezier(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4);
  bool AddBezierI(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  bool AddBeziers(std::vector<GxPointF>& points);
  bool AddBeziersI(std::vector<GxPoint>& points);
  bool AddCurve(std::vector<GxPointF>& points);
  bool AddCurveTension(std::vector<GxPointF>& points, float tension);
  // The segments use points offset to offset + segmentCount, which must all lie in the array
  // (InvalidParameter, without asking GDI+, otherwise).
  bool AddCurveSegment(std::vector<GxPointF>& points, int offset, int segmentCount, float tension);
  bool AddCurveI(std::vector<GxPoint>& points);
  bool AddCurveTensionI(std::vector<GxPoint>& points, float tension);
  bool AddCurveSegmentI(std::vector<GxPoint>& points, int offset, int segmentCount, float tension);
  bool AddClosedCurve(std::vector<GxPointF>& points);
  bool AddClosedCurveTension(std::vector<GxPointF>& points, float tension);
  bool AddClosedCurveI(std::vector<GxPoint>& points);
  bool AddClosedCurveTensionI(std::vector<GxPoint>& points, float tension);
  bool AddRectangle(float x, float y, float width, float height);
  // A closed figure of four quarter arcs whose size is `roundness` percent (1 to 100) of the box,
  // cut to whole units. Only the closing call decides the result.
  bool AddRoundedRectangle(float x, float y, float width, float height, int roundness);
  bool AddRectangles(std::vector<GxRectF>& rects);
  bool AddRectangleI(int x, int y, int width, int height);
  bool AddRectanglesI(std::vector<GxRect>& rects);
  bool AddEllipse(float x, float y, float width, float height);
  bool AddEllipseI(int x, int y, int width, int height);
  bool AddPie(float x, float y, float width, float height, float startAngle, float sweepAngle);
  bool AddPieI(int x, int y, int width, int height, float startAngle, float sweepAngle);
  bool AddPolygon(std::vector<GxPointF>& points);
  bool AddPolygonI(std::vector<GxPoint>& points);
  bool AddPath(const GxPath& path, bool connect);
  // Text outlines; the text ends at its first NUL. No format means GDI+'s default layout.
  bool AddString(const std::string& text, const GxFontFamily& family, int emSize, const GxRectF& layoutRect,
                 int style = Gdiplus::FontStyleRegular, const GxStringFormat* format = nullptr);
  bool AddStringW(const std::wstring& text, const GxFontFamily& family, int emSize, const GxRectF& layoutRect,
                  int style = Gdiplus::FontStyleRegular, const GxStringFormat* format = nullptr);
  bool AddStringI(const std::string& text, const GxFontFamily& family, int emSize, const GxRect& layoutRect,
                  int style = Gdiplus::FontStyleRegular, const GxStringFormat* format = nullptr);
  bool AddStringWI(const std::wstring& text, const GxFontFamily& family, int emSize, const GxRect& layoutRect,
                   int style = Gdiplus::FontStyleRegular, const GxStringFormat* format = nullptr);

  // Matrices are GDI+ matrices held by any wrapper; none means no transformation.
  bool Transform(const GxObject& matrix);
  bool Flatten(const GxObject* matrix = nullptr, float flatness = 0.25f);
  bool Widen(const GxPen& pen, const GxObject* matrix = nullptr, float flatness = 0.25f);
  bool Outline(const GxObject* matrix = nullptr, float flatness = 0.25f);
  // destPoints: the three or four corners of the target (fewer fail with InvalidParameter).
  bool Warp(std::vector<GxPointF>& destPoints, const GxRectF& srcRect, const GxObject* matrix = nullptr,
            Gdiplus::WarpMode warpMode = Gdiplus::WarpModePerspective, float flatness = 0.25f);
  int GetPointCount() const;
  GxRectF GetBounds(const GxObject* matrix = nullptr, const GxPen* pen = nullptr) const;
  GxRect GetBoundsI(const GxObject* matrix = nullptr, const GxPen* pen = nullptr) const;
  bool IsVisible(float x, float y, const GxGraphics* graphics = nullptr) const;
  bool IsVisibleI(int x, int y, const GxGraphics* graphics = nullptr) const;
  bool IsOutlineVisible(float x, float y, const GxPen& pen, const GxGraphics* graphics = nullptr) const;
  bool IsOutlineVisibleI(int x, int y, const GxPen& pen, const GxGraphics* graphics = nullptr) const;

  bool IsValid() const { return Handle() != nullptr; }

 private:
  Gdiplus::GpPath* Handle() const { return Native<Gdiplus::GpPath>(); }
  // The flatness asked for, raised to what GDI+ can flatten this path to through `matrix`.
  float FlatnessFor(const GxObject* matrix, float flatness) const;
  // Point count to read: the given one, else the path's own; -1 when there is nothing to read.
  int CountToRead(const OptInt& count) const;
  template <auto Entry, typename Element>
  bool ReadArray(std::vector<Element>& out, const OptInt& count) const;
};
