// GxImageAttributes against the GDI+ of the running system: each adjustment is observed in the
// pixels of an image drawn with the attributes, then cleared again.

#include <gtest/gtest.h>

#include <vector>

#include "gx/GxBitmap.h"
#include "gx/GxImageAttributes.h"
#include "gx/ImageTestImages.h"

using namespace testimages;

namespace {

// The colour a 2 x 2 bitmap of `color` shows when drawn with the attributes over transparent
// black (pixel (1, 1) of the result).
std::uint32_t DrawnColour(std::uint32_t color, const GxImageAttributes* attributes) {
  GxBitmap source, target;
  source.Create(2, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) source.SetPixel(x, y, color);
  target.Create(2, 2);
  GdiplusApi& api = GdiplusEntries();
  Gdiplus::GpGraphics* graphics = nullptr;
  api.GdipGetImageGraphicsContext(static_cast<Gdiplus::GpImage*>(target.GetNativeHandle()), &graphics);
  api.GdipDrawImageRectRectI(graphics, static_cast<Gdiplus::GpImage*>(source.GetNativeHandle()), 0, 0, 2, 2, 0, 0, 2,
                             2, Gdiplus::UnitPixel, NativeOf<Gdiplus::GpImageAttributes>(attributes), nullptr,
                             nullptr);
  api.GdipDeleteGraphics(graphics);
  return target.GetPixel(1, 1);
}

}  // namespace

TEST(ImageAttributes, RemapTableAppliesUntilCleared) {
  GxImageAttributes attributes;
  ASSERT_TRUE(attributes.Create());
  std::vector<GxColorMap> map = {{kRed, kBlue}, {kGreen, kWhite}};
  ASSERT_TRUE(attributes.SetRemapTable(map));
  EXPECT_EQ(map[0].newColor, kBlue) << "the records come back unchanged";
  EXPECT_EQ(DrawnColour(kRed, &attributes), kBlue);
  EXPECT_EQ(DrawnColour(kGreen, &attributes), kWhite);

  GxImageAttributes copy;
  ASSERT_TRUE(attributes.Clone(copy));
  ASSERT_TRUE(attributes.ClearRemapTable());
  EXPECT_EQ(DrawnColour(kRed, &attributes), kRed);
  EXPECT_EQ(DrawnColour(kRed, &copy), kBlue) << "the clone keeps its own table";

  ASSERT_TRUE(copy.SetNoOp());
  EXPECT_EQ(DrawnColour(kRed, &copy), kRed);
  ASSERT_TRUE(copy.ClearNoOp());
  EXPECT_EQ(DrawnColour(kRed, &copy), kBlue);
}

TEST(ImageAttributes, CloneReleasesWhatTheTargetHeldAndCarriesTheSettings) {
  GxImageAttributes attributes, copy;
  ASSERT_TRUE(attributes.Create());
  std::vector<GxColorMap> map = {{kRed, kBlue}};
  ASSERT_TRUE(attributes.SetRemapTable(map));
  ASSERT_TRUE(copy.Create());
  static std::vector<void*> disposed;
  static decltype(GdiplusApi::GdipDisposeImageAttributes) realDispose;
  disposed.clear();
  realDispose = GdiplusEntries().GdipDisposeImageAttributes;
  GdiplusEntries().GdipDisposeImageAttributes = [](Gdiplus::GpImageAttributes* held) WINGDIPAPI {
    disposed.push_back(held);
    return realDispose(held);
  };
  void* held = copy.GetNativeHandle();
  const bool cloned = attributes.Clone(copy);
  GdiplusEntries().GdipDisposeImageAttributes = realDispose;
  EXPECT_TRUE(cloned);
  EXPECT_EQ(disposed, std::vector<void*>{held});
  EXPECT_EQ(DrawnColour(kRed, &copy), kBlue);
}

TEST(ImageAttributes, ColourKeyAndMatrixApplyUntilCleared) {
  GxImageAttributes attributes;
  ASSERT_TRUE(attributes.Create());
  ASSERT_TRUE(attributes.SetColorKey(0xFFF00000, 0xFFFF1010));
  EXPECT_EQ(DrawnColour(kRed, &attributes), 0u) << "keyed out";
  EXPECT_EQ(DrawnColour(kBlue, &attributes), kBlue);
  ASSERT_TRUE(attributes.ClearColorKey());
  EXPECT_EQ(DrawnColour(kRed, &attributes), kRed);

  GxColorMatrix swapRedBlue = {0, 0, 1, 0, 0,  0, 1, 0, 0, 0,  1, 0, 0, 0, 0,  0, 0, 0, 1, 0,  0, 0, 0, 0, 1};
  ASSERT_TRUE(attributes.SetColorMatrix(swapRedBlue));
  EXPECT_EQ(DrawnColour(kRed, &attributes), kBlue);
  ASSERT_TRUE(attributes.ClearColorMatrix());
  EXPECT_EQ(DrawnColour(kRed, &attributes), kRed);
}

TEST(ImageAttributes, ClearThresholdRemovesTheThresholdOfThatTypeOnly) {
  GxImageAttributes attributes;
  ASSERT_TRUE(attributes.Create());
  const std::uint32_t darkGrey = 0xFF404040;
  if (!attributes.SetThreshold(0.1f)) GTEST_SKIP() << "this GDI+ has no thresholds (status " << LastStatus << ")";
  const std::uint32_t thresholded = DrawnColour(darkGrey, &attributes);
  if (thresholded == darkGrey) GTEST_SKIP() << "this GDI+ accepts a threshold but does not apply it";
  EXPECT_EQ(thresholded, kWhite);

  ASSERT_TRUE(attributes.SetThreshold(0.1f, Gdiplus::ColorAdjustTypeBitmap));
  ASSERT_TRUE(attributes.ClearThreshold(Gdiplus::ColorAdjustTypeBrush));
  EXPECT_EQ(DrawnColour(darkGrey, &attributes), kWhite) << "another type's threshold was cleared";
  ASSERT_TRUE(attributes.ClearThreshold(Gdiplus::ColorAdjustTypeBitmap));
  ASSERT_TRUE(attributes.ClearThreshold());
  EXPECT_EQ(DrawnColour(darkGrey, &attributes), darkGrey);
}

TEST(ImageAttributes, AdjustedPaletteComesBackThroughTheCallersRecord) {
  GxImageAttributes attributes;
  ASSERT_TRUE(attributes.Create());
  std::vector<GxColorMap> map = {{kRed, kBlue}};
  ASSERT_TRUE(attributes.SetRemapTable(map, Gdiplus::ColorAdjustTypeBitmap));
  GxPalette palette;
  palette.entries = {kGreen, kRed, kWhite};
  if (!attributes.GetAdjustedPalette(palette, Gdiplus::ColorAdjustTypeBitmap))
    GTEST_SKIP() << "this GDI+ cannot adjust palettes (status " << LastStatus << ")";
  EXPECT_EQ(palette.entries, (std::vector<std::uint32_t>{kGreen, kBlue, kWhite}));
}
