// Regions against the real GDI+: combining, scans read into exact arrays and data round trips.

#include <gtest/gtest.h>

#include <vector>

#include "ToolTestSupport.h"
#include "gx/GxRegion.h"

using namespace Gdiplus;
using tooltest::TestMatrix;

TEST(RegionTest, ScansOfAnEmptyWrapperLeaveTheArray) {
  GxRegion region;
  TestMatrix identity;
  std::vector<GxRectF> rects(2, GxRectF{1, 2, 3, 4});
  EXPECT_EQ(region.GetRegionScans(&identity, rects), 0);
  EXPECT_EQ(LastStatus, GxInvalidParameter);
  ASSERT_EQ(rects.size(), 2u);
  EXPECT_EQ(rects[1].height, 4);
}

TEST(RegionTest, ScansOfARectangleAreThatRectangle) {
  GxRegion region;
  ASSERT_TRUE(region.CreateFromRect(GxRectF{10, 20, 30, 40}));
  TestMatrix identity;
  EXPECT_EQ(region.GetRegionScansCount(&identity), 1);
  std::vector<GxRectF> rects(4);
  EXPECT_EQ(region.GetRegionScans(&identity, rects), 1);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0].x, 10);
  EXPECT_EQ(rects[0].y, 20);
  EXPECT_EQ(rects[0].width, 30);
  EXPECT_EQ(rects[0].height, 40);

  std::vector<GxRect> integers;
  EXPECT_EQ(region.GetRegionScansI(&identity, integers), 1);
  ASSERT_EQ(integers.size(), 1u);
  EXPECT_EQ(integers[0].width, 30);
}

TEST(RegionTest, CombineRectWithoutAModeIntersects) {
  GxRegion region;
  ASSERT_TRUE(region.CreateFromRectI(GxRect{0, 0, 100, 100}));
  ASSERT_TRUE(region.CombineRect(GxRectF{50, 50, 100, 100}));
  TestMatrix identity;
  std::vector<GxRect> rects;
  ASSERT_EQ(region.GetRegionScansI(&identity, rects), 1);
  EXPECT_EQ(rects[0].x, 50);
  EXPECT_EQ(rects[0].y, 50);
  EXPECT_EQ(rects[0].width, 50);
  EXPECT_EQ(rects[0].height, 50);
  EXPECT_TRUE(region.IsVisiblePoint(GxPointF{75, 75}));
  EXPECT_FALSE(region.IsVisiblePointI(GxPoint{25, 25}));

  ASSERT_TRUE(region.CombineRectI(GxRect{0, 0, 10, 10}, CombineModeUnion));
  EXPECT_EQ(region.GetRegionScansI(&identity, rects), 2);
  EXPECT_TRUE(region.IsVisibleRectI(GxRect{2, 2, 4, 4}));
}

TEST(RegionTest, DataRoundTripsAndASizeBeyondTheBytesIsRefused) {
  GxRegion region;
  ASSERT_TRUE(region.CreateFromRect(GxRectF{5, 6, 7, 8}));
  const UINT size = region.GetDataSize();
  ASSERT_GT(size, 0u);
  UINT filled = 0;
  const Bytes data = region.GetData(size, &filled);
  EXPECT_EQ(filled, size);
  ASSERT_EQ(data.size(), size);

  GxRegion copy;
  ASSERT_TRUE(copy.CreateFromData(data));
  TestMatrix identity;
  std::vector<GxRectF> rects;
  ASSERT_EQ(copy.GetRegionScans(&identity, rects), 1);
  EXPECT_EQ(rects[0].width, 7);

  EXPECT_FALSE(copy.CreateFromData(data, static_cast<int>(size) + 1));
  EXPECT_EQ(LastStatus, GxInvalidParameter);
  EXPECT_FALSE(copy.IsValid());

  // A buffer no memory can hold is OutOfMemory, not the end of the process.
  UINT untouched = 0xdeadbeef;
  EXPECT_TRUE(region.GetData(0xFFFFFFFFu, &untouched).empty());
  EXPECT_EQ(LastStatus, 3);
  EXPECT_EQ(untouched, 0xdeadbeefu);
}
