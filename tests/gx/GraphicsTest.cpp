// GxGraphics against the GDI+ of the running system: lifetime and status protocol, and drawing
// that is read back from the pixels it lands on.

#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

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
