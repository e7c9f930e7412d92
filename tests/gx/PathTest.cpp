// Paths against the real GDI+: the rounded rectangle's arcs, path data and point reads, creation
// from points and type bytes, text outlines, and what a filled path covers.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "ToolTestSupport.h"
#include "gx/GxFontFamily.h"
#include "gx/GxPath.h"
#include "gx/GxSolidBrush.h"
#include "gx/GxStringFormat.h"

using namespace Gdiplus;
using tooltest::Api;
using tooltest::Canvas;
using tooltest::ScopedEntry;

namespace {

int pointCountQueries = 0;
decltype(GdiplusApi::GdipGetPointCount) realGetPointCount = nullptr;

GpStatus WINGDIPAPI WatchGetPointCount(GpPath* path, INT* count) {
  ++pointCountQueries;
  return realGetPointCount(path, count);
}

void ExpectPoint(GxPointF actual, float x, float y) {
  EXPECT_NEAR(actual.x, x, 1e-3) << "y " << actual.y;
  EXPECT_NEAR(actual.y, y, 1e-3) << "x " << actual.x;
}

// Whether the path has a point at (x, y): the ends of every arc are points of the path.
bool HasPoint(const GxPathData& data, float x, float y) {
  for (const GxPointF& point : data.points)
    if (std::fabs(point.x - x) < 1e-3f && std::fabs(point.y - y) < 1e-3f) return true;
  return false;
}

GxPathData RoundedRectangleData(float x, float y, float width, float height, int roundness) {
  GxPath path;
  path.Create();
  EXPECT_TRUE(path.AddRoundedRectangle(x, y, width, height, roundness));
  GxPathData data;
  EXPECT_TRUE(path.GetPathData(data));
  EXPECT_GT(data.count, 12);
  EXPECT_EQ(data.points.size(), static_cast<size_t>(data.count));
  EXPECT_EQ(data.types.size(), static_cast<size_t>(data.count));
  if (!data.types.empty()) {
    EXPECT_NE(data.types.back() & PathPointTypeCloseSubpath, 0) << "the figure is closed";
  }
  return data;
}

// The ends of the four quarter arcs of a rounded rectangle whose arcs measure arcW × arcH.
void ExpectArcEnds(const GxPathData& data, float x, float y, float width, float height, float arcW, float arcH) {
  const float right = x + width, bottom = y + height;
  const struct {
    float x, y;
  } ends[] = {{right - arcW / 2, y},      {right, y + arcH / 2},  {right, bottom - arcH / 2}, {right - arcW / 2, bottom},
              {x + arcW / 2, bottom},     {x, bottom - arcH / 2}, {x, y + arcH / 2},          {x + arcW / 2, y}};
  for (const auto& end : ends) EXPECT_TRUE(HasPoint(data, end.x, end.y)) << "no arc ends at " << end.x << ", " << end.y;
}

}  // namespace

TEST(PathTest, RoundedRectangleClampsRoundnessUpToOnePercent) {
  ExpectArcEnds(RoundedRectangleData(0, 0, 200, 100, 0), 0, 0, 200, 100, 2, 1);
}

TEST(PathTest, RoundedRectangleClampsRoundnessDownToAHundredPercent) {
  const GxPathData clamped = RoundedRectangleData(0, 0, 200, 100, 150);
  ExpectArcEnds(clamped, 0, 0, 200, 100, 200, 100);
  const GxPathData full = RoundedRectangleData(0, 0, 200, 100, 100);
  ASSERT_EQ(clamped.count, full.count);
  for (int i = 0; i < full.count; ++i) {
    EXPECT_EQ(clamped.points[i].x, full.points[i].x);
    EXPECT_EQ(clamped.points[i].y, full.points[i].y);
  }
}

TEST(PathTest, RoundedRectangleCutsTheArcSizeTowardZero) {
  // 10 % of 55 × 33 is 5.5 × 3.3, cut to arcs of 5 × 3.
  ExpectArcEnds(RoundedRectangleData(10, 10, 55, 33, 10), 10, 10, 55, 33, 5, 3);
}

TEST(PathTest, PathDataOfAPathWithoutPointsIsEmpty) {
  GxPath none;
  GxPathData untouched{3, std::vector<GxPointF>(3), Bytes(3, 1)};
  EXPECT_FALSE(none.GetPathData(untouched));
  EXPECT_EQ(untouched.count, 3) << "a failed count query changes nothing";

  GxPath path;
  ASSERT_TRUE(path.Create());
  GxPathData data{7, std::vector<GxPointF>(3), Bytes(3, 1)};
  EXPECT_FALSE(path.GetPathData(data));
  EXPECT_EQ(data.count, 0);
  EXPECT_TRUE(data.points.empty());
  EXPECT_TRUE(data.types.empty());

  Bytes types{1, 2};
  EXPECT_FALSE(path.GetPathTypes(types));
  std::vector<GxPointF> points(2);
  EXPECT_FALSE(path.GetPathPoints(points));
}

TEST(PathTest, PointsAndTypesReadBackWholeOrByAGivenCount) {
  GxPath path;
  ASSERT_TRUE(path.Create());
  std::vector<GxPointF> lines{{1, 2}, {3, 4}, {5, 6}, {7, 8}, {9, 10}};
  ASSERT_TRUE(path.AddLines(lines));

  std::vector<GxPointF> points;
  ASSERT_TRUE(path.GetPathPoints(points));
  ASSERT_EQ(points.size(), 5u);
  ExpectPoint(points[4], 9, 10);
  std::vector<GxPoint> whole;
  ASSERT_TRUE(path.GetPathPointsI(whole));
  ASSERT_EQ(whole.size(), 5u);
  EXPECT_EQ(whole[2].x, 5);
  Bytes types;
  ASSERT_TRUE(path.GetPathTypes(types));
  EXPECT_EQ(types, (Bytes{PathPointTypeStart, PathPointTypeLine, PathPointTypeLine, PathPointTypeLine,
                          PathPointTypeLine}));

  ScopedEntry<decltype(GdiplusApi::GdipGetPointCount)> watch(Api().GdipGetPointCount, WatchGetPointCount);
  realGetPointCount = watch.original();
  pointCountQueries = 0;
  std::vector<GxPointF> three(8, GxPointF{-1, -1});
  const bool read = path.GetPathPoints(three, 3);
  EXPECT_EQ(pointCountQueries, 0) << "a given count is used as it is";
  ASSERT_EQ(three.size(), 3u);
  if (read) {
    ExpectPoint(three[2], 5, 6);
  } else {
    // Wine will not hand out fewer points than the path has.
    EXPECT_EQ(LastStatus, InsufficientBuffer);
    ExpectPoint(three[2], 0, 0);
  }
  std::vector<GxPointF> kept(2);
  EXPECT_FALSE(path.GetPathPoints(kept, -1));
  EXPECT_EQ(LastStatus, GxInvalidParameter);
  EXPECT_EQ(kept.size(), 2u) << "a negative count leaves the array";
}

namespace {

// Stand-ins for the curve-segment entries: count the calls that reach GDI+, read nothing.
int curveCalls = 0;
GpStatus WINGDIPAPI CountCurve3(GpPath*, const GpPointF*, INT, INT, INT, REAL) {
  ++curveCalls;
  return Ok;
}
GpStatus WINGDIPAPI CountCurve3I(GpPath*, const GpPoint*, INT, INT, INT, REAL) {
  ++curveCalls;
  return Ok;
}
GpStatus WINGDIPAPI CountWarp(GpPath*, GpMatrix*, const GpPointF*, INT, REAL, REAL, REAL, REAL, WarpMode, REAL) {
  ++curveCalls;
  return Ok;
}

}  // namespace

TEST(PathTest, ArgumentsBeyondTheArraysOrMemoryAreRefused) {
  GxPath path;
  ASSERT_TRUE(path.Create());
  {
    ScopedEntry<decltype(GdiplusApi::GdipAddPathCurve3)> curve(Api().GdipAddPathCurve3, CountCurve3);
    ScopedEntry<decltype(GdiplusApi::GdipAddPathCurve3I)> curveI(Api().GdipAddPathCurve3I, CountCurve3I);
    curveCalls = 0;
    std::vector<GxPointF> points(4);
    std::vector<GxPoint> pointsI(4);
    for (auto [offset, segments] : {std::pair{-1, 1}, {-5, 2}, {2, 2}, {0x7FFFFFFF, 0x7FFFFFFF}}) {
      LastStatus = 0;
      EXPECT_FALSE(path.AddCurveSegment(points, offset, segments, 0.5f)) << offset << ", " << segments;
      EXPECT_EQ(LastStatus, GxInvalidParameter);
      LastStatus = 0;
      EXPECT_FALSE(path.AddCurveSegmentI(pointsI, offset, segments, 0.5f)) << offset << ", " << segments;
      EXPECT_EQ(LastStatus, GxInvalidParameter);
    }
    ScopedEntry<decltype(GdiplusApi::GdipWarpPath)> warp(Api().GdipWarpPath, CountWarp);
    std::vector<GxPointF> twoCorners(2);
    EXPECT_FALSE(path.Warp(twoCorners, GxRectF{0, 0, 1, 1})) << "a warp's target has three or four corners";
    EXPECT_EQ(LastStatus, GxInvalidParameter);
    EXPECT_EQ(curveCalls, 0);
    EXPECT_TRUE(path.AddCurveSegment(points, 1, 2, 0.5f));
    EXPECT_TRUE(path.AddCurveSegmentI(pointsI, 0, 3, 0.5f));
    std::vector<GxPointF> threeCorners(3);
    EXPECT_TRUE(path.Warp(threeCorners, GxRectF{0, 0, 1, 1}));
    EXPECT_EQ(curveCalls, 3);
  }

  // Counts no memory can hold fail with OutOfMemory and leave the caller's arrays.
  ASSERT_TRUE(path.AddLine(0, 0, 5, 5));
  std::vector<GxPointF> points(2, GxPointF{7, 7});
  EXPECT_FALSE(path.GetPathPoints(points, 0x7FFFFFFF));
  EXPECT_EQ(LastStatus, 3);
  EXPECT_EQ(points.size(), 2u);
  std::vector<GxPoint> pointsI(2);
  EXPECT_FALSE(path.GetPathPointsI(pointsI, 0x7FFFFFFF));
  EXPECT_EQ(LastStatus, 3);
  Bytes types(2, 9);
  EXPECT_FALSE(path.GetPathTypes(types, 0x7FFFFFFF));
  EXPECT_EQ(LastStatus, 3);
  EXPECT_EQ(types, (Bytes{9, 9}));
}

TEST(PathTest, CreateFromPointsTakesTheCountFromTheTypeBytes) {
  std::vector<GxPointF> points{{0, 0}, {10, 0}, {10, 10}, {99, 99}};
  const Bytes types{PathPointTypeStart, PathPointTypeLine, PathPointTypeLine};
  GxPath path;
  ASSERT_TRUE(path.CreateFromPoints(points, types));
  EXPECT_EQ(path.GetPointCount(), 3);
  ExpectPoint(path.GetLastPoint(), 10, 10);

  std::vector<GxPoint> integers{{1, 1}, {2, 2}, {3, 3}};
  ASSERT_TRUE(path.CreateFromPointsI(integers, types, FillModeWinding));
  EXPECT_EQ(path.GetFillMode(), FillModeWinding);
  ExpectPoint(path.GetLastPoint(), 3, 3);

  std::vector<GxPointF> tooFew{{0, 0}, {1, 1}};
  EXPECT_FALSE(path.CreateFromPoints(tooFew, types));
  EXPECT_EQ(LastStatus, GxInvalidParameter);
  EXPECT_FALSE(path.IsValid()) << "the old path is gone and no new one was made";
}

TEST(PathTest, TextOutlinesEndAtTheFirstNul) {
  GxFontFamily family;
  ASSERT_TRUE(family.CreateFromName("WenQuanYi Micro Hei"));
  GxStringFormat format;  // Wine refuses text outlines without a format
  ASSERT_TRUE(format.Create());
  const GxRectF layout{0, 0, 200, 50};
  GxPath one, cut;
  ASSERT_TRUE(one.Create());
  ASSERT_TRUE(cut.Create());
  ASSERT_TRUE(one.AddStringW(L"A", family, 20, layout, FontStyleRegular, &format)) << "status " << LastStatus;
  ASSERT_TRUE(cut.AddStringW(std::wstring(L"A\0WWW", 5), family, 20, layout, FontStyleRegular, &format));
  EXPECT_GT(one.GetPointCount(), 0);
  EXPECT_EQ(cut.GetPointCount(), one.GetPointCount());

  GxPath ansi;
  ASSERT_TRUE(ansi.Create());
  ASSERT_TRUE(ansi.AddStringI("A", family, 20, GxRect{0, 0, 200, 50}, FontStyleRegular, &format));
  EXPECT_EQ(ansi.GetPointCount(), one.GetPointCount());
}

TEST(PathTest, FilledRoundedRectangleLeavesItsCornersOpen) {
  Canvas canvas(40, 40);
  ASSERT_TRUE(canvas.ready());
  GxPath path;
  ASSERT_TRUE(path.Create());
  ASSERT_TRUE(path.Reset());
  ASSERT_TRUE(path.AddRoundedRectangle(0, 0, 40, 40, 50));
  ASSERT_TRUE(path.CloseAllFigures());
  GxSolidBrush brush;
  ASSERT_TRUE(brush.Create(0xFF0000FF));
  ASSERT_EQ(Api().GdipFillPath(canvas.graphics(), NativeOf<GpBrush>(brush), NativeOf<GpPath>(path)), Ok);

  EXPECT_EQ(canvas.Pixel(20, 20), 0xFF0000FFu);
  EXPECT_EQ(canvas.Pixel(20, 1), 0xFF0000FFu);
  EXPECT_EQ(canvas.Pixel(1, 1), 0u) << "corner outside the arc";
  EXPECT_EQ(canvas.Pixel(38, 38), 0u);
}
