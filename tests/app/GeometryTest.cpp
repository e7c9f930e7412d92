// The placement and hit rules of the overlay, checked at their boundaries.

#include <gtest/gtest.h>

#include "app/input/HitTest.h"
#include "gx/Colour.h"
#include "app/render/Magnifier.h"
#include "app/render/SelectionRenderer.h"
#include "app/input/SelectionTracking.h"
#include "app/render/Toolbar.h"
#include "output/ContextMenu.h"

namespace {

const ScreenRect kSelection{100, 100, 300, 200};

}  // namespace

TEST(SelectionZone, HandlesReachTwoPixelsOutAndNoFurther) {
  EXPECT_EQ(SelectionZoneAt(kSelection, 98, 150), HitZone::Left);
  EXPECT_EQ(SelectionZoneAt(kSelection, 97, 150), HitZone::Outside);
  EXPECT_EQ(SelectionZoneAt(kSelection, 302, 150), HitZone::Right);
  EXPECT_EQ(SelectionZoneAt(kSelection, 303, 150), HitZone::Outside);
  EXPECT_EQ(SelectionZoneAt(kSelection, 200, 98), HitZone::Top);
  EXPECT_EQ(SelectionZoneAt(kSelection, 200, 97), HitZone::Outside);
  EXPECT_EQ(SelectionZoneAt(kSelection, 200, 202), HitZone::Bottom);
  EXPECT_EQ(SelectionZoneAt(kSelection, 200, 203), HitZone::Outside);
}

TEST(SelectionZone, CornersWinOverEdgesAndEdgesOverInside) {
  EXPECT_EQ(SelectionZoneAt(kSelection, 102, 102), HitZone::TopLeft);
  EXPECT_EQ(SelectionZoneAt(kSelection, 298, 98), HitZone::TopRight);
  EXPECT_EQ(SelectionZoneAt(kSelection, 98, 202), HitZone::BottomLeft);
  EXPECT_EQ(SelectionZoneAt(kSelection, 302, 198), HitZone::BottomRight);
  EXPECT_EQ(SelectionZoneAt(kSelection, 103, 103), HitZone::Inside);
  EXPECT_EQ(SelectionZoneAt(kSelection, 102, 150), HitZone::Left);
}

TEST(SelectionZone, AFourPixelHighSelectionHasNoInside) {
  const ScreenRect flat{100, 100, 300, 104};
  for (int y = 98; y <= 106; ++y) {
    const HitZone zone = SelectionZoneAt(flat, 200, y);
    EXPECT_NE(zone, HitZone::Inside) << "y " << y;
    EXPECT_NE(zone, HitZone::Outside) << "y " << y;
  }
}

TEST(SelectionZone, StrictInsideExcludesEveryEdge) {
  const ScreenRect r{10, 10, 20, 20};
  EXPECT_TRUE(StrictlyInside(r, 11, 19));
  EXPECT_FALSE(StrictlyInside(r, 10, 15));
  EXPECT_FALSE(StrictlyInside(r, 15, 20));
  EXPECT_FALSE(StrictlyInside(ScreenRect{}, 0, 0));
}

TEST(SelectionExtent, ZeroAndOneWideBecomeTwo) {
  ScreenRect zero{50, 60, 50, 60};
  EnforceMinExtent(zero);
  EXPECT_EQ(zero, (ScreenRect{49, 59, 51, 61}));
  ScreenRect one{50, 60, 51, 61};
  EnforceMinExtent(one);
  EXPECT_EQ(one, (ScreenRect{49, 59, 51, 61}));
  ScreenRect two{50, 60, 52, 62};
  EnforceMinExtent(two);
  EXPECT_EQ(two, (ScreenRect{50, 60, 52, 62}));
  EXPECT_EQ(Spanned(100, 100, 40, 300), (ScreenRect{40, 100, 100, 300}));
}

TEST(Colours, GdiColourBecomesArgb) {
  EXPECT_EQ(ArgbFromColorRef(0x00FFAE00), 0xFF00AEFFu);
  EXPECT_EQ(ArgbFromColorRef(0x00FFAE00, 128, true), 0x8000AEFFu);
  EXPECT_EQ(ArgbFromColorRef(0x00FFFFFF), 0xFFFFFFFFu);
  EXPECT_EQ(ArgbFromColorRef(0x00000000), 0xFF000000u);
  EXPECT_EQ(ColourLabel(RGB(255, 0, 0)), "RGB:(255,0,0)");
  EXPECT_EQ(ColourLabel(RGB(1, 2, 3)), "RGB:(1,2,3)");
}

TEST(Labels, SizeIsAbsoluteWidthTimesHeight) {
  EXPECT_EQ(SizeLabel(ScreenRect{0, 0, 1920, 1080}), "1920 × 1080");
  EXPECT_EQ(SizeLabel(ScreenRect{40, 100, 100, 300}), "60 × 200");
  EXPECT_EQ(SizeLabel(ScreenRect{}), "0 × 0");
}

TEST(ToolbarPlacement, BelowAboveInsideAndPushedRight) {
  const int surfaceWidth = 329, surfaceHeight = 28, strip = 24, screen = 1080;
  // Room below: bottom at most screen − 34.
  EXPECT_EQ(PlaceToolbar(ScreenRect{500, 100, 900, 1046}, surfaceWidth, surfaceHeight, strip, screen),
            (ScreenRect{571, 1052, 900, 1080}));
  // No room below, top 33: above, its bottom 4 above the selection.
  EXPECT_EQ(PlaceToolbar(ScreenRect{500, 33, 900, 1047}, surfaceWidth, surfaceHeight, strip, screen),
            (ScreenRect{571, 1, 900, 29}));
  // Top 32: inside, 5 below the selection's top.
  EXPECT_EQ(PlaceToolbar(ScreenRect{500, 32, 900, 1080}, surfaceWidth, surfaceHeight, strip, screen),
            (ScreenRect{571, 37, 900, 65}));
  // Right edge left of 334: starts at x = 5 and reaches beyond the selection.
  EXPECT_EQ(PlaceToolbar(ScreenRect{10, 100, 333, 200}, surfaceWidth, surfaceHeight, strip, screen),
            (ScreenRect{5, 206, 334, 234}));
  EXPECT_EQ(PlaceToolbar(ScreenRect{10, 100, 334, 200}, surfaceWidth, surfaceHeight, strip, screen).left, 5);
  EXPECT_EQ(PlaceToolbar(ScreenRect{10, 100, 335, 200}, surfaceWidth, surfaceHeight, strip, screen).left, 6);
}

TEST(ToolbarButtons, RangesGapsAndTheDropDown) {
  struct Case { int dx, code; bool highlighted; };
  const Case cases[] = {
      {5, 0, false},    {6, 1, true},    {28, 1, true},   {29, 0, false},  {31, 0, false}, {32, 2, true},
      {133, 0, false},  {143, 0, false}, {144, 6, true},  {158, 6, true},  {159, 0, false}, {169, 0, false},
      {170, 7, true},   {192, 7, true},  {193, 0, false}, {219, 8, true},  {220, 9, false}, {228, 9, false},
      {229, 0, false},  {241, 10, true}, {262, 10, true}, {263, 0, false}, {267, 11, true}, {321, 11, true},
      {322, 0, false},  {-1, 0, false},
  };
  for (const Case& c : cases) {
    const ToolbarHit hit = ToolbarButtonAt(c.dx, 10);
    EXPECT_EQ(hit.code, c.code) << "dx " << c.dx;
    EXPECT_EQ(hit.highlighted, c.highlighted) << "dx " << c.dx;
  }
  EXPECT_EQ(ToolbarButtonAt(150, 10).highlight, (ScreenRect{144, 3, 166, 23}));
  EXPECT_EQ(ToolbarButtonAt(20, 2).code, 0);
  EXPECT_EQ(ToolbarButtonAt(20, 3).code, 1);
  EXPECT_EQ(ToolbarButtonAt(20, 23).code, 1);
  EXPECT_EQ(ToolbarButtonAt(20, 24).code, 0);
}

TEST(MagnifierPlacement, FollowsTheCursorAndFlipsAtTheEdges) {
  const POINT nearOrigin = MagnifierOrigin(POINT{100, 100}, 1920, 1080);
  EXPECT_EQ(nearOrigin.x, 105);
  EXPECT_EQ(nearOrigin.y, 125);
  const POINT nearCorner = MagnifierOrigin(POINT{1800, 1000}, 1920, 1080);
  EXPECT_EQ(nearCorner.x, 1673);
  EXPECT_EQ(nearCorner.y, 855);
  EXPECT_EQ(MagnifierOrigin(POINT{1785, 910}, 1920, 1080).x, 1790);  // 1785 + 135 = 1920: still right
  EXPECT_EQ(MagnifierOrigin(POINT{1786, 910}, 1920, 1080).x, 1659);
  EXPECT_EQ(MagnifierOrigin(POINT{0, 910}, 1920, 1080).y, 935);  // 910 + 170 = 1080: still below
  EXPECT_EQ(MagnifierOrigin(POINT{0, 911}, 1920, 1080).y, 766);
}

TEST(MenuPlacement, FlipsOnlyPastTheThresholds) {
  const int w = 1920, h = 1080;
  EXPECT_EQ(MenuOrigin(w - 170, 100, w, h).x, w - 170 + 4);
  EXPECT_EQ(MenuOrigin(w - 169, 100, w, h).x, w - 169 + 4);  // x + 159 = W − 10: not past
  EXPECT_EQ(MenuOrigin(w - 168, 100, w, h).x, w - 168 - 159);
  EXPECT_EQ(MenuOrigin(100, h - 292, w, h).y, h - 292 + 4);
  EXPECT_EQ(MenuOrigin(100, h - 291, w, h).y, h - 291 - 280);  // y + 282 = H − 9
  EXPECT_EQ(MenuOrigin(5, 5, 100, 100).x, 5 - 159) << "no clamping near the top-left corner";
}

TEST(MenuRows, SharedBoundariesBelongToTheUpperRow) {
  EXPECT_EQ(MenuRowAt(10, 24).row, 1);
  EXPECT_EQ(MenuRowAt(10, 25).row, 2);
  EXPECT_FALSE(MenuRowAt(10, 136).found);
  EXPECT_FALSE(MenuRowAt(10, 135).found);
  EXPECT_EQ(MenuRowAt(10, 138).row, 7);
  EXPECT_EQ(MenuRowAt(10, 160).row, 7);
  EXPECT_EQ(MenuRowAt(10, 204).row, 9);
  EXPECT_EQ(MenuRowAt(10, 205).row, 10);
  EXPECT_EQ(MenuRowAt(10, 226).row, 10);
  EXPECT_FALSE(MenuRowAt(10, 228).found);
  EXPECT_EQ(MenuRowAt(10, 230).row, 11);
  EXPECT_EQ(MenuRowAt(10, 274).row, 12);
  EXPECT_FALSE(MenuRowAt(10, 275).found);
  EXPECT_FALSE(MenuRowAt(10, 1).found);
  EXPECT_FALSE(MenuRowAt(1, 50).found);
  EXPECT_FALSE(MenuRowAt(154, 50).found);
  EXPECT_TRUE(MenuRowAt(153, 50).found);
  EXPECT_EQ(MenuRowAt(2, 150).highlight, (ScreenRect{2, 138, 153, 160}));
}
