// Solid brushes against the real GDI+: what they fill, and cloning into a target.

#include <gtest/gtest.h>

#include "ToolTestSupport.h"
#include "gx/GxSolidBrush.h"

using namespace Gdiplus;
using tooltest::Api;
using tooltest::Canvas;

TEST(SolidBrushTest, FillsInItsCurrentColour) {
  Canvas canvas(20, 20);
  ASSERT_TRUE(canvas.ready());
  GxSolidBrush brush;
  ASSERT_TRUE(brush.Create(0xFFFF0000));
  ASSERT_TRUE(brush.Create(0xFF0000FF)) << "creating again replaces the brush";
  EXPECT_EQ(brush.GetBrushType(), BrushTypeSolidColor);
  ASSERT_TRUE(brush.SetColor(0x8000FF00));
  EXPECT_EQ(brush.GetColor(), 0x8000FF00u);
  ASSERT_EQ(Api().GdipFillRectangle(canvas.graphics(), NativeOf<GpBrush>(brush), 5, 5, 10, 10), Ok);

  EXPECT_EQ(canvas.Pixel(10, 10) & 0xFF00FF00u, 0x8000FF00u) << "alpha 128, green, over transparent";
  EXPECT_EQ(canvas.Pixel(2, 2), 0u);
}

TEST(SolidBrushTest, CloneGivesTheTargetAnIndependentCopy) {
  GxSolidBrush brush, copy;
  ASSERT_TRUE(brush.Create(0xFF102030));
  ASSERT_TRUE(copy.Create(0xFFFFFFFF));
  EXPECT_TRUE(brush.Clone(copy));
  EXPECT_NE(copy.GetNativeHandle(), brush.GetNativeHandle());
  EXPECT_EQ(copy.GetColor(), 0xFF102030u);
  ASSERT_TRUE(brush.Delete());
  EXPECT_EQ(copy.GetColor(), 0xFF102030u) << "the copy outlives the original";
  EXPECT_EQ(LastStatus, GxOk);
}
