// The toolbar, the context menu and the magnifier as the user sees them on the canvas.

#include "app/process/CaptureOverlay.h"
#include "app/desktop/Desktop.h"
#include "app/desktop/ScreenGrab.h"
#include "support/OverlayFixture.h"

namespace {

const COLORREF kBoxFill = RGB(222, 238, 255);
const COLORREF kHighlightFill = RGB(175, 229, 255);

}  // namespace

TEST_F(OverlayTest, TheToolbarSitsUnderTheSelectionAndHighlightsOnHover) {
  Select(400, 300, 600, 500);
  const ScreenRect toolbar = State().ToolbarRect;
  EXPECT_EQ(toolbar, (ScreenRect{600 - 329, 506, 600, 506 + 28}));
  EXPECT_EQ(Canvas(toolbar.left + 30, toolbar.top + 12), kBoxFill) << "a gap between buttons";
  EXPECT_EQ(Canvas(toolbar.left + 8, toolbar.top + 12), kBoxFill);

  MoveTo(toolbar.left + 15, toolbar.top + 12);  // over the rectangle tool
  EXPECT_EQ(State().zone, HitZone::Toolbar);
  EXPECT_EQ(Canvas(toolbar.left + 8, toolbar.top + 12), kHighlightFill);
  EXPECT_EQ(Canvas(toolbar.left + 30, toolbar.top + 12), kBoxFill);

  MoveTo(toolbar.left + 30, toolbar.top + 12);  // between two buttons: no highlight
  EXPECT_EQ(Canvas(toolbar.left + 8, toolbar.top + 12), kBoxFill);
}

TEST_F(OverlayTest, ToolButtonsOnlyHighlight) {
  Select(400, 300, 600, 500);
  const ScreenRect toolbar = State().ToolbarRect;
  for (int dx : {15, 40, 70, 95, 120, 150}) {
    MoveTo(toolbar.left + dx, toolbar.top + 12);
    Press(toolbar.left + dx, toolbar.top + 12);
    Release(toolbar.left + dx, toolbar.top + 12);
    ASSERT_TRUE(TheOverlay().IsLoaded()) << "dx " << dx;
    EXPECT_EQ(State().SelectionRect, (ScreenRect{400, 300, 600, 500})) << "dx " << dx;
    EXPECT_EQ(State().menuShown, 0);
  }
}

TEST_F(OverlayTest, TheCancelButtonEndsTheCapture) {
  Select(400, 300, 600, 500);
  const ScreenRect toolbar = State().ToolbarRect;
  MoveTo(toolbar.left + 250, toolbar.top + 12);
  Press(toolbar.left + 250, toolbar.top + 12);
  EXPECT_FALSE(TheOverlay().IsLoaded());
}

TEST_F(OverlayTest, TheMenuHighlightsTheRowUnderTheCursor) {
  Select(400, 100, 600, 300);
  RightClick(450, 150);
  const ScreenRect menu = State().MenuRect;
  EXPECT_EQ(menu, (ScreenRect{454, 154, 454 + 155, 154 + 256}));
  const int x = menu.left + 140, y = menu.top + 35;  // row 2, right of its text
  EXPECT_EQ(Canvas(x, y), RGB(255, 255, 255)) << "no highlight yet";
  MoveTo(menu.left + 60, menu.top + 30);
  EXPECT_EQ(State().zone, HitZone::Menu);
  EXPECT_NE(Canvas(x, y), RGB(255, 255, 255)) << "row 2 highlighted";
  EXPECT_EQ(Canvas(x, menu.top + 60), RGB(255, 255, 255)) << "row 3 not";

  Press(menu.left + 60, menu.top + 10);  // row 1: arms the rectangle tool and closes the menu
  Release(menu.left + 60, menu.top + 10);
  EXPECT_TRUE(TheOverlay().IsLoaded());
  EXPECT_EQ(State().menuShown, 0);

  RightClick(450, 150);
  ASSERT_EQ(State().MenuRect, menu);
  MoveTo(menu.left + 60, menu.top + 240);
  Press(menu.left + 60, menu.top + 240);  // row 11: leave
  EXPECT_FALSE(TheOverlay().IsLoaded());
}

TEST_F(OverlayTest, TheMagnifierShowsTheZoomedScreenAndCrosshair) {
  MoveTo(300, 300);
  const int px = 305, py = 325;  // panel origin for this cursor
  // A zoomed pixel near the zoom's top-left corner comes from about (287, 290).
  const COLORREF zoomed = Canvas(px + 10, py + 10);
  bool fromNeighbourhood = false;
  for (int sy = 288; sy <= 292; ++sy)
    for (int sx = 285; sx <= 289; ++sx) fromNeighbourhood |= zoomed == ScreenColour(sx, sy);
  EXPECT_TRUE(fromNeighbourhood) << std::hex << zoomed;
  // The crosshair is blue at alpha 200 over the zoom.
  const COLORREF cross = Canvas(px + 100, py + 44);
  EXPECT_GT(GetBValue(cross), 140);
  EXPECT_LT(GetRValue(cross), 60);
  // Away from the panel the screen is only dimmed.
  EXPECT_TRUE(CloseTo(Canvas(px + 200, py + 44), Dimmed(ScreenColour(px + 200, py + 44))));
}
