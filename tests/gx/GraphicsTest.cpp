// GxGraphics against the GDI+ of the running system: lifetime and status protocol, and drawing
// that is read back from the pixels it lands on.

#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "ToolTestSupport.h"
#include "gx/GraphicsTestObjects.h"
#include "gx/GxGraphics.h"

using namespace testobjects;

namespace {

// Counts GdipDeleteGraphics calls (and remembers the last handle) while a test runs.
class DeleteCounter {
 public:
  DeleteCounter() : real_(Api().GdipDeleteGraphics) {
    calls = 0;
    lastDeleted = nullptr;
    real = real_;
    Api().GdipDeleteGraphics = &Counting;
  }
  ~DeleteCounter() { Api().GdipDeleteGraphics = real_; }
  static inline int calls = 0;
  static inline Gdiplus::GpGraphics* lastDeleted = nullptr;

 private:
  static inline decltype(GdiplusApi::GdipDeleteGraphics) real = nullptr;
  static Gdiplus::GpStatus WINGDIPAPI Counting(Gdiplus::GpGraphics* graphics) {
    ++calls;
    lastDeleted = graphics;
    return real(graphics);
  }
  decltype(GdiplusApi::GdipDeleteGraphics) real_;
};

}  // namespace

TEST(Graphics, DeleteOnEmptyMakesNoCallAndKeepsLastStatus) {
  DeleteCounter counter;
  GxGraphics graphics;
  LastStatus = 42;
  EXPECT_FALSE(graphics.Delete());
  EXPECT_EQ(LastStatus, 42);
  EXPECT_EQ(DeleteCounter::calls, 0);

  TestBitmap bitmap(2, 2);
  ASSERT_TRUE(graphics.CreateFromImage(bitmap));
  EXPECT_TRUE(graphics.Delete());
  EXPECT_EQ(DeleteCounter::calls, 1);
  EXPECT_FALSE(graphics.IsValid());
  EXPECT_EQ(graphics.GetNativeHandle(), nullptr);

  LastStatus = 42;
  EXPECT_FALSE(graphics.Delete());
  EXPECT_EQ(LastStatus, 42);
  EXPECT_EQ(DeleteCounter::calls, 1);
}

TEST(Graphics, CreatingAgainDeletesThePreviousGraphicsFirst) {
  DeleteCounter counter;
  TestBitmap bitmap(2, 2);
  GxGraphics graphics;
  ASSERT_TRUE(graphics.CreateFromImage(bitmap));
  void* first = graphics.GetNativeHandle();
  ASSERT_TRUE(graphics.CreateFromImage(bitmap));
  EXPECT_EQ(DeleteCounter::calls, 1);
  EXPECT_EQ(DeleteCounter::lastDeleted, first);

  ASSERT_TRUE(graphics.CreateSurface(2, 2));
  EXPECT_EQ(DeleteCounter::calls, 2) << "a surface replaces a graphics over an image too";
}

TEST(Graphics, DestroyingDeletesTheGraphics) {
  DeleteCounter counter;
  void* handle = nullptr;
  {
    GxGraphics graphics;
    ASSERT_TRUE(graphics.CreateSurface(2, 2));
    handle = graphics.GetNativeHandle();
  }
  EXPECT_EQ(DeleteCounter::calls, 1);
  EXPECT_EQ(DeleteCounter::lastDeleted, handle);
}

TEST(Graphics, FailedCreationLeavesTheWrapperEmpty) {
  GxBitmap none;
  GxGraphics graphics;
  EXPECT_FALSE(graphics.CreateFromImage(none));
  EXPECT_EQ(LastStatus, 2);
  EXPECT_FALSE(graphics.IsValid());
}

TEST(Graphics, DrawingOnAnEmptyGraphicsIsInvalidParameter) {
  GxGraphics graphics;
  TestBrush brush(0xFF000000);
  EXPECT_FALSE(graphics.FillRectangle(brush, 0, 0, 1, 1));
  EXPECT_EQ(LastStatus, 2);
}

TEST(Graphics, FillsAndOutlinesLandOnABitmap) {
  TestBitmap bitmap(10, 10, 0xFFFFFFFF);
  GxGraphics graphics;
  ASSERT_TRUE(graphics.CreateFromImage(bitmap));
  TestBrush blue(0xFF0000FF);
  TestPen red(0xFFFF0000);

  ASSERT_TRUE(graphics.FillRectangle(blue, 0, 0, 3, 3));
  ASSERT_TRUE(graphics.DrawRectangle(red, 5, 5, 4, 4));
  ASSERT_TRUE(graphics.DrawLine(red, 0, 8, 4, 8));
  graphics.Delete();

  EXPECT_EQ(bitmap.Pixel(1, 1), 0xFF0000FFu);
  EXPECT_EQ(bitmap.Pixel(3, 3), 0xFFFFFFFFu);
  EXPECT_EQ(bitmap.Pixel(5, 7), 0xFFFF0000u) << "left edge of the outline";
  EXPECT_EQ(bitmap.Pixel(7, 7), 0xFFFFFFFFu) << "the outline's inside stays";
  EXPECT_EQ(bitmap.Pixel(2, 8), 0xFFFF0000u) << "the line";
}

TEST(Graphics, PathsAreFilledAndOutlined) {
  TestBitmap bitmap(10, 10, 0xFFFFFFFF);
  GxGraphics graphics;
  ASSERT_TRUE(graphics.CreateFromImage(bitmap));
  TestPath path;
  path.AddRectangle(2, 2, 6, 6);
  TestBrush green(0xFF00FF00);
  TestPen black(0xFF000000);
  ASSERT_TRUE(graphics.FillPath(green, path));
  ASSERT_TRUE(graphics.DrawPath(black, path));
  graphics.Delete();

  EXPECT_EQ(bitmap.Pixel(5, 5), 0xFF00FF00u);
  EXPECT_EQ(bitmap.Pixel(2, 5), 0xFF000000u);
  EXPECT_EQ(bitmap.Pixel(0, 0), 0xFFFFFFFFu);
}

TEST(Graphics, DrawStringPutsTextInsideTheLayoutRectangle) {
  TestBitmap bitmap(60, 30, 0xFFFFFFFF);
  GxGraphics graphics;
  ASSERT_TRUE(graphics.CreateFromImage(bitmap));
  TestFont font(20);
  ASSERT_NE(font.GetNativeHandle(), nullptr);
  TestBrush black(0xFF000000);
  ASSERT_TRUE(graphics.DrawString("HH", font, black, GxRectF{0, 0, 60, 30}));
  graphics.Delete();

  int dark = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 60; ++x) dark += (bitmap.Pixel(x, y) & 0xFF) < 0x80;
  EXPECT_GT(dark, 20) << "the glyphs darkened some pixels";
}

TEST(Graphics, DrawImageStretchedDrawsTheWholeImageInPixels) {
  // 2 x 2 source at 192 dpi: in pixel units its size is 2 x 2 whatever the resolution.
  TestBitmap source(2, 2);
  source.SetPixel(0, 0, 0xFFFF0000);
  source.SetPixel(1, 0, 0xFF00FF00);
  source.SetPixel(0, 1, 0xFF0000FF);
  source.SetPixel(1, 1, 0xFF000000);
  Api().GdipBitmapSetResolution(static_cast<Gdiplus::GpBitmap*>(source.native()), 192, 192);

  TestBitmap target(4, 4, 0xFFFFFFFF);
  GxGraphics graphics;
  ASSERT_TRUE(graphics.CreateFromImage(target));
  ASSERT_TRUE(graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor));
  Api().GdipSetPixelOffsetMode(static_cast<Gdiplus::GpGraphics*>(graphics.GetNativeHandle()),
                               Gdiplus::PixelOffsetModeHalf);
  ASSERT_TRUE(graphics.DrawImageStretched(source, 0, 0, 4, 4));
  graphics.Delete();

  EXPECT_EQ(target.Pixel(0, 0), 0xFFFF0000u);
  EXPECT_EQ(target.Pixel(1, 1), 0xFFFF0000u);
  EXPECT_EQ(target.Pixel(3, 0), 0xFF00FF00u);
  EXPECT_EQ(target.Pixel(0, 3), 0xFF0000FFu);
  EXPECT_EQ(target.Pixel(3, 3), 0xFF000000u);
}

TEST(Graphics, DrawImageRectRectDrawsThePartAsked) {
  TestBitmap source(4, 1);
  source.SetPixel(2, 0, 0xFF00FF00);
  source.SetPixel(3, 0, 0xFF00FF00);
  TestBitmap target(2, 2, 0xFFFFFFFF);
  GxGraphics graphics;
  ASSERT_TRUE(graphics.CreateFromImage(target));
  ASSERT_TRUE(graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor));
  Api().GdipSetPixelOffsetMode(static_cast<Gdiplus::GpGraphics*>(graphics.GetNativeHandle()),
                               Gdiplus::PixelOffsetModeHalf);
  ASSERT_TRUE(graphics.DrawImageRectRect(source, 0, 0, 2, 2, 2, 0, 2, 1));
  graphics.Delete();
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) EXPECT_EQ(target.Pixel(x, y), 0xFF00FF00u) << x << "," << y;
}

namespace {

// Records what reaches GdipDrawLines, then lets the real function answer.
struct DrawLinesRecorder {
  static inline decltype(GdiplusApi::GdipDrawLines) real = nullptr;
  static inline const Gdiplus::GpPointF* points = reinterpret_cast<const Gdiplus::GpPointF*>(0xdeadbeef);
  static inline int count = -1;
  static Gdiplus::GpStatus WINGDIPAPI Record(Gdiplus::GpGraphics* graphics, Gdiplus::GpPen* pen,
                                              const Gdiplus::GpPointF* given, INT n) {
    points = given;
    count = n;
    return real(graphics, pen, given, n);
  }
  DrawLinesRecorder() {
    real = Api().GdipDrawLines;
    Api().GdipDrawLines = &Record;
  }
  ~DrawLinesRecorder() { Api().GdipDrawLines = real; }
};

// Pixels of a bitmap, row by row.
std::vector<Gdiplus::ARGB> PixelsOf(const TestBitmap& bitmap, int width, int height) {
  std::vector<Gdiplus::ARGB> pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels.push_back(bitmap.Pixel(x, y));
  return pixels;
}

}  // namespace

TEST(Graphics, DrawLinesWithAnEmptyArrayPassesNullAndZero) {
  GxGraphics graphics;
  ASSERT_TRUE(graphics.CreateSurface(4, 4));
  TestPen pen(0xFF000000);
  DrawLinesRecorder recorder;
  EXPECT_FALSE(graphics.DrawLines(pen, {}));
  EXPECT_EQ(LastStatus, 2);
  EXPECT_EQ(DrawLinesRecorder::points, nullptr);
  EXPECT_EQ(DrawLinesRecorder::count, 0);
}

TEST(Graphics, PointAndRectangleArraysReachGdiplus) {
  TestBitmap bitmap(20, 20, 0xFFFFFFFF);
  GxGraphics graphics;
  ASSERT_TRUE(graphics.CreateFromImage(bitmap));
  TestBrush blue(0xFF0000FF);
  TestPen red(0xFFFF0000);
  ASSERT_TRUE(graphics.FillRectangles(blue, {{0, 0, 2, 2}, {18, 0, 2, 2}}));
  ASSERT_TRUE(graphics.FillRectanglesI(blue, {{0, 18, 2, 2}}));
  ASSERT_TRUE(graphics.FillPolygonI(blue, {{5, 5}, {15, 5}, {15, 15}, {5, 15}}));
  ASSERT_TRUE(graphics.DrawLinesI(red, {{0, 10}, {3, 10}, {3, 13}}));
  ASSERT_TRUE(graphics.DrawRectanglesI(red, {{16, 16, 3, 3}}));
  graphics.Delete();

  EXPECT_EQ(bitmap.Pixel(1, 1), 0xFF0000FFu);
  EXPECT_EQ(bitmap.Pixel(19, 1), 0xFF0000FFu) << "second rectangle of the array";
  EXPECT_EQ(bitmap.Pixel(1, 19), 0xFF0000FFu);
  EXPECT_EQ(bitmap.Pixel(10, 10), 0xFF0000FFu);
  EXPECT_EQ(bitmap.Pixel(1, 10), 0xFFFF0000u);
  EXPECT_EQ(bitmap.Pixel(3, 12), 0xFFFF0000u) << "second segment of the line";
  EXPECT_EQ(bitmap.Pixel(16, 17), 0xFFFF0000u);
  EXPECT_EQ(bitmap.Pixel(17, 17), 0xFFFFFFFFu);
}

TEST(Graphics, DrawStringWStopsAtTheFirstNul) {
  TestFont font(16);
  TestBrush black(0xFF000000);
  auto draw = [&](const std::wstring& text) {
    TestBitmap bitmap(80, 24, 0xFFFFFFFF);
    GxGraphics graphics;
    EXPECT_TRUE(graphics.CreateFromImage(bitmap));
    EXPECT_TRUE(graphics.DrawStringW(text, font, black, {0, 0, 80, 24}));
    graphics.Delete();
    return PixelsOf(bitmap, 80, 24);
  };
  const auto cut = draw(std::wstring(L"AB\0CD", 5));
  EXPECT_EQ(cut, draw(L"AB"));
  EXPECT_NE(cut, draw(L"ABCD"));
  EXPECT_NE(cut, std::vector<Gdiplus::ARGB>(80 * 24, 0xFFFFFFFF)) << "the text before the NUL was drawn";

  // An empty text reaches GDI+ as a null pointer, which it refuses.
  GxGraphics graphics;
  ASSERT_TRUE(graphics.CreateSurface(4, 4));
  EXPECT_FALSE(graphics.DrawStringW(L"", font, black, {0, 0, 4, 4}));
  EXPECT_EQ(LastStatus, 2);
}

TEST(Graphics, DrawStringConvertsTheAnsiCodePage) {
  TestFont font(16);
  TestBrush black(0xFF000000);
  TestBitmap ansi(60, 24, 0xFFFFFFFF), wide(60, 24, 0xFFFFFFFF);
  GxGraphics graphics;
  ASSERT_TRUE(graphics.CreateFromImage(ansi));
  ASSERT_TRUE(graphics.DrawString("截图", font, black, {0, 0, 60, 24}));
  ASSERT_TRUE(graphics.CreateFromImage(wide));
  ASSERT_TRUE(graphics.DrawStringW(L"截图", font, black, {0, 0, 60, 24}));
  graphics.Delete();
  EXPECT_EQ(PixelsOf(ansi, 60, 24), PixelsOf(wide, 60, 24));
}

TEST(Graphics, DrawDriverStringPlacesGlyphsAtTheirPositions) {
  TestFont font(16);
  TestBrush black(0xFF000000);
  TestBitmap bitmap(40, 40, 0xFFFFFFFF);
  GxGraphics graphics;
  ASSERT_TRUE(graphics.CreateFromImage(bitmap));
  ASSERT_TRUE(graphics.DrawDriverString("HH", font, black, {{2, 16}, {22, 36}}));
  graphics.Delete();
  auto darkIn = [&](int left, int top, int size) {
    int dark = 0;
    for (int y = top; y < top + size; ++y)
      for (int x = left; x < left + size; ++x) dark += (bitmap.Pixel(x, y) & 0xFF) < 0x80;
    return dark;
  };
  EXPECT_GT(darkIn(0, 0, 18), 5) << "first glyph above its baseline at (2, 16)";
  EXPECT_GT(darkIn(20, 20, 18), 5) << "second glyph above its baseline at (22, 36)";
  EXPECT_EQ(darkIn(22, 0, 16), 0);
}

namespace {

// Stand-ins for the array-taking entries: they count the calls that reach GDI+ and answer Ok
// without reading the array, so a refused call shows as no call at all.
struct ArrayCalls {
  static inline int reached = 0;
  static Gdiplus::GpStatus WINGDIPAPI DriverString(Gdiplus::GpGraphics*, const UINT16*, INT, const Gdiplus::GpFont*,
                                                   const Gdiplus::GpBrush*, const Gdiplus::PointF*, INT,
                                                   const Gdiplus::GpMatrix*) {
    ++reached;
    return Gdiplus::Ok;
  }
  static Gdiplus::GpStatus WINGDIPAPI Curve3(Gdiplus::GpGraphics*, Gdiplus::GpPen*, const Gdiplus::GpPointF*, INT,
                                             INT, INT, Gdiplus::REAL) {
    ++reached;
    return Gdiplus::Ok;
  }
  static Gdiplus::GpStatus WINGDIPAPI Curve3I(Gdiplus::GpGraphics*, Gdiplus::GpPen*, const Gdiplus::GpPoint*, INT,
                                              INT, INT, Gdiplus::REAL) {
    ++reached;
    return Gdiplus::Ok;
  }
  static Gdiplus::GpStatus WINGDIPAPI MetafilePoints(Gdiplus::GpGraphics*, const Gdiplus::GpMetafile*,
                                                     const Gdiplus::PointF*, INT, Gdiplus::EnumerateMetafileProc,
                                                     VOID*, const Gdiplus::GpImageAttributes*) {
    ++reached;
    return Gdiplus::Ok;
  }
};

}  // namespace

TEST(Graphics, ArraysAreNeverReadPastEitherEnd) {
  tooltest::ScopedEntry driver(Api().GdipDrawDriverString, &ArrayCalls::DriverString);
  tooltest::ScopedEntry curve(Api().GdipDrawCurve3, &ArrayCalls::Curve3);
  tooltest::ScopedEntry curveI(Api().GdipDrawCurve3I, &ArrayCalls::Curve3I);
  tooltest::ScopedEntry metafile(Api().GdipEnumerateMetafileDestPoints, &ArrayCalls::MetafilePoints);
  ArrayCalls::reached = 0;
  GxGraphics graphics;
  ASSERT_TRUE(graphics.CreateSurface(8, 8));
  TestFont font(8);
  TestBrush black(0xFF000000);
  TestPen pen(0xFF000000);

  // One position per character, unless GDI+ is told to advance from the first one itself.
  LastStatus = 0;
  EXPECT_FALSE(graphics.DrawDriverStringW(L"abc", font, black, {{0, 0}, {1, 1}}));
  EXPECT_EQ(LastStatus, 2);
  LastStatus = 0;
  EXPECT_FALSE(graphics.DrawDriverString("abc", font, black, {}));
  EXPECT_EQ(LastStatus, 2);
  EXPECT_EQ(ArrayCalls::reached, 0);
  EXPECT_TRUE(graphics.DrawDriverStringW(L"ab", font, black, {{0, 0}, {1, 1}}));
  EXPECT_TRUE(graphics.DrawDriverStringW(
      L"abc", font, black, {{0, 0}},
      Gdiplus::DriverStringOptionsCmapLookup | Gdiplus::DriverStringOptionsRealizedAdvance));
  EXPECT_EQ(ArrayCalls::reached, 2);

  // A segment run needs its points from offset to offset + segments, all inside the array.
  const std::vector<GxPointF> points(4);
  const std::vector<GxPoint> pointsI(4);
  ArrayCalls::reached = 0;
  for (auto [offset, segments] : {std::pair{-1, 1}, {2, 2}, {1, -1}, {0x7FFFFFFF, 0x7FFFFFFF}}) {
    LastStatus = 0;
    EXPECT_FALSE(graphics.DrawCurveSegment(pen, points, offset, segments, 0.5f)) << offset << ", " << segments;
    EXPECT_EQ(LastStatus, 2);
    LastStatus = 0;
    EXPECT_FALSE(graphics.DrawCurveSegmentI(pen, pointsI, offset, segments, 0.5f)) << offset << ", " << segments;
    EXPECT_EQ(LastStatus, 2);
  }
  // A metafile's destination is a parallelogram given by three corners.
  GxImage none;
  EXPECT_FALSE(graphics.EnumerateMetafileDestPoints(none, {{0, 0}, {1, 0}}, nullptr));
  EXPECT_EQ(LastStatus, 2);
  EXPECT_EQ(ArrayCalls::reached, 0);
  EXPECT_TRUE(graphics.DrawCurveSegment(pen, points, 1, 2, 0.5f));
  EXPECT_TRUE(graphics.DrawCurveSegmentI(pen, pointsI, 0, 3, 0.5f));
  EXPECT_TRUE(graphics.EnumerateMetafileDestPoints(none, {{0, 0}, {1, 0}, {0, 1}}, nullptr));
  EXPECT_EQ(ArrayCalls::reached, 3);
}

TEST(Graphics, DrawImageUnscaledDrawsOneSourcePixelPerUnit) {
  TestBitmap source(2, 2, 0xFFFF0000);
  Api().GdipBitmapSetResolution(static_cast<Gdiplus::GpBitmap*>(source.native()), 192, 192);
  TestBitmap target(4, 4, 0xFFFFFFFF);
  GxGraphics graphics;
  ASSERT_TRUE(graphics.CreateFromImage(target));
  ASSERT_TRUE(graphics.DrawImageUnscaledI(source, 1, 1));
  graphics.Delete();
  EXPECT_EQ(target.Pixel(1, 1), 0xFFFF0000u);
  EXPECT_EQ(target.Pixel(2, 2), 0xFFFF0000u) << "two pixels wide although 192 dpi";
  EXPECT_EQ(target.Pixel(3, 3), 0xFFFFFFFFu);
  EXPECT_EQ(target.Pixel(0, 0), 0xFFFFFFFFu);
}

TEST(Graphics, DrawImagePointsMapsCornersToTheParallelogram) {
  // Left half red, right half green; drawn with upper-left and upper-right swapped: mirrored.
  TestBitmap source(8, 2, 0xFFFF0000);
  for (int x = 4; x < 8; ++x)
    for (int y = 0; y < 2; ++y) source.SetPixel(x, y, 0xFF00FF00);
  TestBitmap target(8, 2, 0xFFFFFFFF);
  GxGraphics graphics;
  ASSERT_TRUE(graphics.CreateFromImage(target));
  ASSERT_TRUE(graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor));
  ASSERT_TRUE(graphics.DrawImagePoints(source, 8, 0, 0, 0, 8, 2));
  graphics.Delete();
  // Wine's edges of a mirrored image are a pixel off, so only the halves' inner pixels count.
  EXPECT_EQ(target.Pixel(1, 1), 0xFF00FF00u);
  EXPECT_EQ(target.Pixel(2, 0), 0xFF00FF00u);
  EXPECT_EQ(target.Pixel(5, 0), 0xFFFF0000u);
  EXPECT_EQ(target.Pixel(6, 1), 0xFFFF0000u);
}

TEST(Graphics, ClearToBlackNeedsAMemorySurface) {
  TestBitmap bitmap(2, 2, 0xFFFFFFFF);
  GxGraphics graphics;
  ASSERT_TRUE(graphics.CreateFromImage(bitmap));
  EXPECT_FALSE(graphics.ClearToBlack());
  graphics.Delete();
  EXPECT_EQ(bitmap.Pixel(0, 0), 0xFFFFFFFFu);
}
