// GxGraphics state: the device-context protocol, Flush, world transforms, clipping, saved
// states and containers, and text measuring.

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <vector>

#include "gx/GraphicsTestObjects.h"
#include "gx/GxGraphics.h"

using namespace testobjects;
using Gdiplus::MatrixOrderAppend;
using Gdiplus::MatrixOrderPrepend;

namespace {

GxGraphics& Surface(GxGraphics& graphics, int width = 16, int height = 16) {
  EXPECT_TRUE(graphics.CreateSurface(width, height));
  return graphics;
}

// Where the world transform sends a point.
GxPointF Map(GxGraphics& graphics, GxPointF point) {
  std::vector<GxPointF> points{point};
  EXPECT_TRUE(graphics.TransformPoints(Gdiplus::CoordinateSpaceDevice, Gdiplus::CoordinateSpaceWorld, points));
  return points[0];
}

}  // namespace

TEST(GraphicsState, GetHDCTwiceReturnsTheHeldDCWithGenericError) {
  GxGraphics graphics;
  Surface(graphics);
  HDC first = graphics.GetHDC();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(LastStatus, 0);
  EXPECT_EQ(graphics.GetHDC(), first);
  EXPECT_EQ(LastStatus, 1);

  // GDI drawing through the held DC reaches the surface.
  RECT whole{0, 0, 16, 16};
  FillRect(first, &whole, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  EXPECT_TRUE(graphics.ReleaseHDC());
  EXPECT_EQ(LastStatus, 0);
  EXPECT_EQ(graphics.GetSurfacePixel(3, 3), RGB(0xFF, 0xFF, 0xFF));
}

TEST(GraphicsState, ReleaseHDCWithoutADCIsFalseWithOk) {
  GxGraphics graphics;
  Surface(graphics);
  LastStatus = 9;
  EXPECT_FALSE(graphics.ReleaseHDC());
  EXPECT_EQ(LastStatus, 0);
  graphics.GetHDC();
  EXPECT_TRUE(graphics.ReleaseHDC());
  EXPECT_FALSE(graphics.ReleaseHDC()) << "the DC was given back";
}

TEST(GraphicsState, FlushReturnsTheRawStatusAndKeepsLastStatus) {
  GxGraphics graphics;
  Surface(graphics);
  LastStatus = 5;
  EXPECT_EQ(graphics.Flush(), 0);
  EXPECT_EQ(LastStatus, 5);

  GxGraphics empty;
  EXPECT_EQ(empty.Flush(Gdiplus::FlushIntentionSync), 2);
  EXPECT_EQ(LastStatus, 5);
}

TEST(GraphicsState, CreatingFromDCAndWindow) {
  GxGraphics surface;
  Surface(surface, 4, 4);
  GxGraphics overDC;
  ASSERT_TRUE(overDC.CreateFromHDC(surface.GetSurfaceDC()));
  TestBrush green(0xFF00FF00);
  ASSERT_TRUE(overDC.FillRectangleI(green, 0, 0, 2, 2));
  overDC.Flush(Gdiplus::FlushIntentionSync);
  EXPECT_EQ(surface.GetSurfacePixel(1, 1), RGB(0, 0xFF, 0));
  ASSERT_TRUE(overDC.CreateFromHDC(surface.GetSurfaceDC(), nullptr, true));

  HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  GxGraphics overWindow;
  EXPECT_TRUE(overWindow.CreateFromHWND(window));
  EXPECT_GT(overWindow.GetDpiX(), 0.0f);
  EXPECT_GT(overWindow.GetDpiY(), 0.0f);
  EXPECT_TRUE(overWindow.CreateFromHWND(window, true));
  overWindow.Delete();
  DestroyWindow(window);

  GxGraphics none;
  EXPECT_FALSE(none.CreateFromHDC(nullptr));
  EXPECT_FALSE(none.IsValid());
}

TEST(GraphicsState, GettersOnAnEmptyGraphicsReturnZero) {
  GxGraphics empty;
  EXPECT_EQ(empty.GetSmoothingMode(), 0);
  EXPECT_EQ(LastStatus, 2);
  EXPECT_EQ(empty.GetPageScale(), 0.0f);
  EXPECT_EQ(empty.GetTextContrast(), 0u);
  EXPECT_EQ(empty.Save(), 0u);
  int x = 7, y = 7;
  EXPECT_FALSE(empty.GetRenderingOrigin(x, y));
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  GxRectF bounds = empty.GetClipBounds();
  EXPECT_EQ(bounds.width, 0.0f);
  EXPECT_FALSE(empty.IsVisiblePoint(0, 0));
}

TEST(GraphicsState, SettingsReadBack) {
  GxGraphics graphics;
  Surface(graphics);
  ASSERT_TRUE(graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias));
  EXPECT_EQ(graphics.GetSmoothingMode(), Gdiplus::SmoothingModeAntiAlias);
  ASSERT_TRUE(graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor));
  EXPECT_EQ(graphics.GetInterpolationMode(), Gdiplus::InterpolationModeNearestNeighbor);
  ASSERT_TRUE(graphics.SetCompositingMode(Gdiplus::CompositingModeSourceCopy));
  EXPECT_EQ(graphics.GetCompositingMode(), Gdiplus::CompositingModeSourceCopy);
  ASSERT_TRUE(graphics.SetRenderingOrigin(3, 4));
  int x = 0, y = 0;
  ASSERT_TRUE(graphics.GetRenderingOrigin(x, y));
  EXPECT_EQ(x, 3);
  EXPECT_EQ(y, 4);
  ASSERT_TRUE(graphics.SetPageUnit(Gdiplus::UnitPixel));
  EXPECT_EQ(graphics.GetPageUnit(), Gdiplus::UnitPixel);
  ASSERT_TRUE(graphics.SetPageScale(2.5f));
  EXPECT_EQ(graphics.GetPageScale(), 2.5f);
  EXPECT_EQ(graphics.GetNearestColor(0xFF123456), 0xFF123456u) << "a 32-bit surface has every colour";
}

TEST(GraphicsState, TransformPointsWritesBackIntoTheCallersRecords) {
  GxGraphics graphics;
  Surface(graphics);
  ASSERT_TRUE(graphics.TranslateTransform(10, 20));
  ASSERT_TRUE(graphics.ScaleTransform(2, 3, MatrixOrderAppend));
  std::vector<GxPointF> points{{0, 0}, {1, 1}, {-5, 2.5f}};
  ASSERT_TRUE(graphics.TransformPoints(Gdiplus::CoordinateSpaceDevice, Gdiplus::CoordinateSpaceWorld, points));
  EXPECT_FLOAT_EQ(points[0].x, 20);
  EXPECT_FLOAT_EQ(points[0].y, 60);
  EXPECT_FLOAT_EQ(points[1].x, 22);
  EXPECT_FLOAT_EQ(points[1].y, 63);
  EXPECT_FLOAT_EQ(points[2].x, 10);
  EXPECT_FLOAT_EQ(points[2].y, 67.5f);

  std::vector<GxPoint> integers{{1, 1}, {2, 0}, {0, 2}};
  ASSERT_TRUE(graphics.TransformPointsI(Gdiplus::CoordinateSpaceDevice, Gdiplus::CoordinateSpaceWorld, integers));
  EXPECT_EQ(integers[0].x, 22);
  EXPECT_EQ(integers[0].y, 63);
  EXPECT_EQ(integers[1].x, 24);
  EXPECT_EQ(integers[2].y, 66);

  std::vector<GxPointF> none;
  EXPECT_FALSE(graphics.TransformPoints(Gdiplus::CoordinateSpaceDevice, Gdiplus::CoordinateSpaceWorld, none));
  EXPECT_EQ(LastStatus, 2);
}

TEST(GraphicsState, RotateAndScaleAboutAPoint) {
  GxGraphics graphics;
  Surface(graphics);
  ASSERT_TRUE(graphics.RotateTransformAt(90, {10, 10}, MatrixOrderAppend));
  GxPointF turned = Map(graphics, {20, 10});
  EXPECT_NEAR(turned.x, 10, 1e-4);
  EXPECT_NEAR(turned.y, 20, 1e-4);

  // Appended after a translation, the turn applies to the translated point.
  ASSERT_TRUE(graphics.ResetTransform());
  ASSERT_TRUE(graphics.TranslateTransform(100, 0));
  ASSERT_TRUE(graphics.RotateTransformAt(90, {10, 10}, MatrixOrderAppend));
  turned = Map(graphics, {20, 10});
  EXPECT_NEAR(turned.x, 10, 1e-4);
  EXPECT_NEAR(turned.y, 120, 1e-4);

  // Prepended, the turn applies first and the translation after it.
  ASSERT_TRUE(graphics.ResetTransform());
  ASSERT_TRUE(graphics.TranslateTransform(100, 0));
  ASSERT_TRUE(graphics.RotateTransformAt(90, {10, 10}, MatrixOrderPrepend));
  turned = Map(graphics, {20, 10});
  EXPECT_NEAR(turned.x, 110, 1e-4);
  EXPECT_NEAR(turned.y, 20, 1e-4);

  for (auto order : {MatrixOrderAppend, MatrixOrderPrepend}) {
    ASSERT_TRUE(graphics.ResetTransform());
    ASSERT_TRUE(graphics.ScaleTransformAt(2, 3, {10, 10}, order));
    GxPointF scaled = Map(graphics, {20, 12});
    EXPECT_NEAR(scaled.x, 30, 1e-4) << order;
    EXPECT_NEAR(scaled.y, 16, 1e-4) << order;
    EXPECT_NEAR(Map(graphics, {10, 10}).x, 10, 1e-4) << "the centre stays";
  }
}

TEST(GraphicsState, TransformGoesThroughAMatrixWrapper) {
  Gdiplus::GpMatrix* native = nullptr;
  ASSERT_EQ(Api().GdipCreateMatrix(&native), Gdiplus::Ok);
  GxObject matrix;  // any wrapper over a GDI+ matrix serves
  matrix.SetNativeHandle(native);

  GxGraphics graphics;
  Surface(graphics);
  ASSERT_TRUE(graphics.TranslateTransform(5, 6));
  ASSERT_TRUE(graphics.GetTransform(matrix));
  ASSERT_TRUE(graphics.ResetTransform());
  EXPECT_NEAR(Map(graphics, {1, 1}).x, 1, 1e-4);
  ASSERT_TRUE(graphics.SetTransform(matrix));
  EXPECT_NEAR(Map(graphics, {1, 1}).x, 6, 1e-4);
  ASSERT_TRUE(graphics.MultiplyTransform(matrix, MatrixOrderAppend));
  EXPECT_NEAR(Map(graphics, {1, 1}).y, 13, 1e-4);
  Api().GdipDeleteMatrix(native);
}

TEST(GraphicsState, ClipLimitsDrawingAndReportsItsBounds) {
  GxGraphics graphics;
  Surface(graphics, 8, 8);
  ASSERT_TRUE(graphics.SetClipRectI(2, 2, 3, 3));
  GxRect bounds = graphics.GetClipBoundsI();
  EXPECT_EQ(bounds.x, 2);
  EXPECT_EQ(bounds.y, 2);
  EXPECT_EQ(bounds.width, 3);
  EXPECT_EQ(bounds.height, 3);
  GxRectF visible = graphics.GetVisibleClipBounds();
  EXPECT_FLOAT_EQ(visible.x, 2);
  EXPECT_FLOAT_EQ(visible.width, 3);
  EXPECT_TRUE(graphics.IsVisiblePointI(3, 3));
  EXPECT_FALSE(graphics.IsVisiblePoint(0.5f, 0.5f));
  EXPECT_TRUE(graphics.IsVisibleRectI(0, 0, 3, 3)) << "overlaps the clip";
  EXPECT_FALSE(graphics.IsVisibleRect(6, 6, 1, 1));
  EXPECT_FALSE(graphics.IsClipEmpty());

  TestBrush white(0xFFFFFFFF);
  ASSERT_TRUE(graphics.FillRectangleI(white, 0, 0, 8, 8));
  EXPECT_EQ(graphics.GetSurfacePixel(3, 3), RGB(0xFF, 0xFF, 0xFF));
  EXPECT_EQ(graphics.GetSurfacePixel(1, 1), 0u);
  EXPECT_EQ(graphics.GetSurfacePixel(5, 5), 0u);

  ASSERT_TRUE(graphics.TranslateClipI(1, 2));
  EXPECT_EQ(graphics.GetClipBoundsI().y, 4);
  TestRegion region;
  ASSERT_TRUE(graphics.GetClip(region));
  Gdiplus::GpRectF regionBounds{};
  Api().GdipGetRegionBounds(region.native(), static_cast<Gdiplus::GpGraphics*>(graphics.GetNativeHandle()),
                            &regionBounds);
  EXPECT_FLOAT_EQ(regionBounds.X, 3);
  EXPECT_FLOAT_EQ(regionBounds.Y, 4);

  ASSERT_TRUE(graphics.SetClipRect(0, 0, 4, 6, Gdiplus::CombineModeIntersect));
  EXPECT_EQ(graphics.GetClipBoundsI().width, 1);
  EXPECT_EQ(graphics.GetClipBoundsI().height, 2);
  ASSERT_TRUE(graphics.SetClipRect(20, 20, 1, 1, Gdiplus::CombineModeIntersect));
  EXPECT_TRUE(graphics.IsClipEmpty());
  EXPECT_TRUE(graphics.IsVisibleClipEmpty());
  ASSERT_TRUE(graphics.ResetClip());
  EXPECT_FALSE(graphics.IsClipEmpty());
  EXPECT_EQ(graphics.GetVisibleClipBoundsI().width, 8) << "the surface bounds the visible clip";
}

TEST(GraphicsState, ClipFromPathRegionHrgnAndAnotherGraphics) {
  GxGraphics graphics;
  Surface(graphics, 8, 8);
  TestPath path;
  path.AddRectangle(1, 1, 2, 2);
  ASSERT_TRUE(graphics.SetClipPath(path));
  EXPECT_EQ(graphics.GetClipBoundsI().x, 1);

  TestRegion region;
  const Gdiplus::Rect square(4, 4, 2, 2);
  Api().GdipCombineRegionRectI(region.native(), &square, Gdiplus::CombineModeIntersect);
  ASSERT_TRUE(graphics.SetClipRegion(region));
  EXPECT_EQ(graphics.GetClipBoundsI().x, 4);

  HRGN hrgn = CreateRectRgn(5, 6, 7, 8);
  ASSERT_TRUE(graphics.SetClipHrgn(hrgn));
  DeleteObject(hrgn);
  EXPECT_EQ(graphics.GetClipBoundsI().y, 6);

  GxGraphics other;
  Surface(other, 8, 8);
  ASSERT_TRUE(other.SetClipRectI(0, 0, 3, 3));
  ASSERT_TRUE(graphics.SetClipGraphics(other));
  EXPECT_EQ(graphics.GetClipBoundsI().width, 3);

  TestBrush white(0xFFFFFFFF);
  ASSERT_TRUE(graphics.FillRegion(white, region));
  EXPECT_EQ(graphics.GetSurfacePixel(4, 4), 0u) << "outside the clip taken from the other graphics";
  ASSERT_TRUE(graphics.ResetClip());
  ASSERT_TRUE(graphics.FillRegion(white, region));
  EXPECT_EQ(graphics.GetSurfacePixel(4, 4), RGB(0xFF, 0xFF, 0xFF));
  EXPECT_EQ(graphics.GetSurfacePixel(3, 4), 0u);
}

TEST(GraphicsState, SaveAndRestoreAndContainers) {
  GxGraphics graphics;
  Surface(graphics);
  ASSERT_TRUE(graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias));
  Gdiplus::GraphicsState saved = graphics.Save();
  EXPECT_EQ(LastStatus, 0);
  ASSERT_TRUE(graphics.SetSmoothingMode(Gdiplus::SmoothingModeNone));
  ASSERT_TRUE(graphics.TranslateTransform(5, 5));
  ASSERT_TRUE(graphics.Restore(saved));
  EXPECT_EQ(graphics.GetSmoothingMode(), Gdiplus::SmoothingModeAntiAlias);
  EXPECT_NEAR(Map(graphics, {0, 0}).x, 0, 1e-5);

  Gdiplus::GraphicsContainer plain = graphics.BeginContainerPlain();
  EXPECT_EQ(LastStatus, 0);
  ASSERT_TRUE(graphics.TranslateTransform(7, 0));
  ASSERT_TRUE(graphics.EndContainer(plain));
  EXPECT_NEAR(Map(graphics, {0, 0}).x, 0, 1e-5);

  // A container maps its source rectangle onto its destination rectangle.
  Gdiplus::GraphicsContainer scaled = graphics.BeginContainer({0, 0, 16, 16}, {0, 0, 8, 8}, Gdiplus::UnitPixel);
  EXPECT_EQ(LastStatus, 0);
  TestBrush white(0xFFFFFFFF);
  ASSERT_TRUE(graphics.FillRectangleI(white, 2, 2, 1, 1));
  ASSERT_TRUE(graphics.EndContainer(scaled));
  EXPECT_EQ(graphics.GetSurfacePixel(4, 4), RGB(0xFF, 0xFF, 0xFF));
  EXPECT_EQ(graphics.GetSurfacePixel(5, 5), RGB(0xFF, 0xFF, 0xFF));
  EXPECT_EQ(graphics.GetSurfacePixel(2, 2), 0u);

  Gdiplus::GraphicsContainer integer = graphics.BeginContainerI({0, 0, 4, 4}, {0, 0, 2, 2}, Gdiplus::UnitPixel);
  EXPECT_NEAR(Map(graphics, {1, 1}).x, 2, 1e-5);
  ASSERT_TRUE(graphics.EndContainer(integer));
}

TEST(GraphicsState, MeasureStringBoundsTheText) {
  GxGraphics graphics;
  Surface(graphics);
  TestFont font(20);
  GxRectF one{}, three{};
  ASSERT_TRUE(graphics.MeasureString("H", font, {0, 0, 500, 100}, nullptr, one));
  ASSERT_TRUE(graphics.MeasureStringW(L"HHH", font, {0, 0, 500, 100}, nullptr, three));
  EXPECT_GT(one.width, 5);
  EXPECT_GT(three.width, 2 * one.width);
  EXPECT_GT(one.height, 10);
}

TEST(GraphicsState, MeasureCharacterRangesWithoutRegionsOrWithTooManyLeavesTheArray) {
  GxGraphics graphics;
  Surface(graphics);
  TestFont font(20);
  TestStringFormat format;
  const Gdiplus::CharacterRange range{0, 1};
  ASSERT_EQ(Api().GdipSetStringFormatMeasurableCharacterRanges(format.native(), 1, &range), Gdiplus::Ok);
  std::vector<std::unique_ptr<GxRegion>> regions;
  regions.push_back(std::make_unique<GxRegion>());
  GxRegion* kept = regions[0].get();
  EXPECT_FALSE(graphics.MeasureCharacterRanges("abc", font, {0, 0, 100, 100}, nullptr, 0, regions));
  EXPECT_EQ(LastStatus, 2);
  // More regions than the format has ranges, up to more than memory holds: refused up front.
  for (int count : {2, 0x7FFFFFFF}) {
    LastStatus = 0;
    EXPECT_FALSE(graphics.MeasureCharacterRangesW(L"abc", font, {0, 0, 100, 100}, &format, count, regions)) << count;
    EXPECT_EQ(LastStatus, 2) << count;
  }
  ASSERT_EQ(regions.size(), 1u);
  EXPECT_EQ(regions[0].get(), kept);
}

TEST(GraphicsState, MeasureCharacterRangesGivesOneRegionPerRange) {
  GxGraphics graphics;
  Surface(graphics);
  TestFont font(20);
  TestStringFormat format;
  const Gdiplus::CharacterRange ranges[] = {{0, 1}, {3, 2}};
  ASSERT_EQ(Api().GdipSetStringFormatMeasurableCharacterRanges(format.native(), 2, ranges), Gdiplus::Ok);

  std::vector<std::unique_ptr<GxRegion>> regions;
  regions.push_back(std::make_unique<GxRegion>());
  // Fewer regions than ranges fail in GDI+ and leave the array alone. (Windows wants exactly as
  // many; Wine also takes more.)
  EXPECT_FALSE(graphics.MeasureCharacterRanges("HHHHH", font, {0, 0, 500, 100}, &format, 1, regions));
  EXPECT_NE(LastStatus, 0);
  EXPECT_EQ(regions.size(), 1u);

  ASSERT_TRUE(graphics.MeasureCharacterRanges("HHHHH", font, {0, 0, 500, 100}, &format, 2, regions));
  ASSERT_EQ(regions.size(), 2u);
  Gdiplus::GpRectF first{}, second{};
  auto* native = static_cast<Gdiplus::GpGraphics*>(graphics.GetNativeHandle());
  ASSERT_NE(regions[0]->GetNativeHandle(), nullptr);
  ASSERT_NE(regions[1]->GetNativeHandle(), nullptr);
  Api().GdipGetRegionBounds(static_cast<Gdiplus::GpRegion*>(regions[0]->GetNativeHandle()), native, &first);
  Api().GdipGetRegionBounds(static_cast<Gdiplus::GpRegion*>(regions[1]->GetNativeHandle()), native, &second);
  EXPECT_GT(first.Width, 0);
  EXPECT_GT(second.X, first.X + 2 * first.Width) << "the second range starts at the fourth character";
  EXPECT_GT(second.Width, first.Width * 1.5f) << "and spans two characters";

  for (auto& region : regions) {
    Api().GdipDeleteRegion(static_cast<Gdiplus::GpRegion*>(region->GetNativeHandle()));
    region->SetNativeHandle(nullptr);
  }
}
