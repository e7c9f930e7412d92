// The base computed from the frozen layer holds the bytes of the platform's blends it replaces:
// the frozen layer at constant alpha 255, then opaque black over it at constant alpha 128.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/canvas/DimmedBase.h"
#include "gx/GxGraphics.h"
#include "gx/GxSolidBrush.h"

namespace {

constexpr int kSide = 256;
constexpr RECT kWhole{0, 0, kSide, kSide};

// Blue runs through every value along a row, green down a column, red and alpha along two
// diagonals: every value of every byte, next to many values of the others.
void FillVaried(const SurfaceBits& bits) {
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x)
      bits.Row(y)[x] = static_cast<std::uint32_t>(x | y << 8 | ((x + y) & 0xFF) << 16 | ((x * 7 + y * 3) & 0xFF) << 24);
}

// "" when every byte is equal, else the count and the first difference.
std::string Difference(const SurfaceBits& platform, const SurfaceBits& computed) {
  int differing = 0;
  char first[96] = "";
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x)
      if (platform.Row(y)[x] != computed.Row(y)[x] && differing++ == 0)
        std::snprintf(first, sizeof first, ", first at (%d, %d): %08X, computed %08X", x, y, platform.Row(y)[x],
                      computed.Row(y)[x]);
  return differing ? std::to_string(differing) + " pixels differ" + first : "";
}

}  // namespace

TEST(DimmedBase, EveryValueOfEveryByteComesOutAsThePlatformBlendsIt) {
  GxGraphics frozen, platform, computed, black;
  for (GxGraphics* surface : {&frozen, &platform, &computed, &black}) ASSERT_TRUE(surface->CreateSurface(kSide, kSide));
  FillVaried(frozen.GetSurfaceBits());

  // The frozen screen as it is.
  platform.AlphaBlendFrom(frozen.GetSurfaceDC(), 0, 0, kSide, kSide, 0, 0, kSide, kSide, 255, 0);
  CopyFrozen(computed.GetSurfaceBits(), frozen.GetSurfaceBits(), kWhole);
  EXPECT_EQ(Difference(platform.GetSurfaceBits(), computed.GetSurfaceBits()), "") << "shown undimmed";

  // Dimmed, over a canvas that showed something else before.
  GxSolidBrush brush;
  brush.Create(0xFF000000);
  ASSERT_TRUE(black.FillRectangle(brush, 0, 0, kSide, kSide));
  platform.AlphaBlendFrom(black.GetSurfaceDC(), 0, 0, kSide, kSide, 0, 0, kSide, kSide, 128, 0);
  PaintDimmedFrozen(computed.GetSurfaceBits(), frozen.GetSurfaceBits(), kWhole);
  EXPECT_EQ(Difference(platform.GetSurfaceBits(), computed.GetSurfaceBits()), "") << "dimmed";
  EXPECT_EQ(DimmedPixel(0x00FFFFFF) & 0xFFFFFF, 0x7F7F7Fu) << "about half brightness";
}

TEST(DimmedBase, OnlyTheRectangleWithinBothSurfacesIsPainted) {
  GxGraphics frozen, canvas;
  ASSERT_TRUE(frozen.CreateSurface(40, 30));
  ASSERT_TRUE(canvas.CreateSurface(50, 20));
  const SurfaceBits from = frozen.GetSurfaceBits(), to = canvas.GetSurfaceBits();
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) from.Row(y)[x] = 0xFFFFFFFF;
  PaintDimmedFrozen(to, from, RECT{-5, 10, 100, 100});
  int painted = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 50; ++x) painted += to.Row(y)[x] != 0;
  EXPECT_EQ(painted, 40 * 10);
  EXPECT_EQ(to.Row(10)[0], DimmedPixel(0xFFFFFFFF));
  EXPECT_EQ(to.Row(9)[0], 0u);
  EXPECT_EQ(to.Row(19)[40], 0u);
}
