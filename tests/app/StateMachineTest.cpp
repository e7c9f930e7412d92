// The overlay's interaction rules, driven through its real window procedure.

#include "app/process/CaptureOverlay.h"
#include "app/desktop/Desktop.h"
#include "app/canvas/EmbeddedAssets.h"
#include "support/OverlayFixture.h"

TEST_F(OverlayTest, DrawingUpAndLeftStoresTheNormalisedRectangle) {
  Drag(100, 100, 40, 300);
  EXPECT_EQ(State().SelectionRect, (ScreenRect{40, 100, 100, 300}));
  EXPECT_EQ(State().selectionMade, 1);
}

TEST_F(OverlayTest, ZeroAndOneWideDragsStoreTwoPixels) {
  Drag(200, 100, 200, 300);
  EXPECT_EQ(State().SelectionRect, (ScreenRect{199, 100, 201, 300}));
}

TEST_F(OverlayTest, HandleZonesReachTwoPixelsOut) {
  Select(100, 100, 300, 200);
  MoveTo(98, 150);
  EXPECT_EQ(State().zone, HitZone::Left);
  EXPECT_EQ(State().mode, CaptureMode::Adjust);
  EXPECT_EQ(TheOverlay().MousePointer(), LoadCursorA(nullptr, IDC_SIZEWE));
  MoveTo(97, 150);
  EXPECT_EQ(State().zone, HitZone::Outside);
  EXPECT_EQ(State().mode, CaptureMode::None);
  EXPECT_EQ(TheOverlay().MousePointer(), OverlayCursor());
  MoveTo(200, 150);
  EXPECT_EQ(State().mode, CaptureMode::Drag);
  EXPECT_EQ(TheOverlay().MousePointer(), LoadCursorA(nullptr, IDC_SIZEALL));
}

// (-1, -1) is a pixel like any other (of a monitor left of the primary one): a grip taken there
// is a grip all the same.
TEST_F(OverlayTest, AHandleOfASelectionAtMinusOneResizes) {
  Session().state.SelectionRect = ScreenRect{-1, -1, 1, 1};  // what the minimum extent makes of a dot at (0, 0)
  Session().state.mode = modes::Selected{};
  MoveTo(3, 3);
  ASSERT_EQ(State().zone, HitZone::BottomRight);
  Press(3, 3);
  MoveTo(40, 30);
  MoveTo(60, 50);
  Release(60, 50);
  EXPECT_EQ(State().SelectionRect, (ScreenRect{-1, -1, 60, 50}));
}

TEST_F(OverlayTest, ResizingByACornerAndByAnEdge) {
  Select(100, 100, 300, 200);
  Drag(300, 200, 400, 260);  // bottom-right corner
  EXPECT_EQ(State().SelectionRect, (ScreenRect{100, 100, 400, 260}));
  Drag(100, 150, 150, 150);  // left edge, inwards
  EXPECT_EQ(State().SelectionRect, (ScreenRect{150, 100, 400, 260}));
  Drag(150, 180, 500, 180);  // left edge dragged across the right one turns the selection over
  EXPECT_EQ(State().SelectionRect, (ScreenRect{400, 100, 500, 260}));
}

TEST_F(OverlayTest, MovingStopsAtTheScreenEdgeAndComesBackAtOnce) {
  const int width = ScreenWidth();
  Select(100, 100, 300, 200);
  MoveTo(200, 150);
  Press(200, 150);
  MoveTo(210, 150);  // first movement only takes the grip
  MoveTo(width + 500, 150);
  EXPECT_EQ(State().SelectionRect.right, width);
  EXPECT_EQ(State().SelectionRect.left, width - 200);
  MoveTo(width + 490, 150);  // ten pixels back: moves at once, the grip was re-taken at the edge
  EXPECT_EQ(State().SelectionRect.right, width - 10);
  Release(width + 490, 150);
  EXPECT_EQ(State().mode, CaptureMode::Drag) << "a release counts in the mode of its press";
}

// A drag moves the selection only when it starts inside it: a sloppy press on the dimmed screen,
// the toolbar or the style bar dragged into the selection leaves it where it is.
TEST_F(OverlayTest, APressOutsideTheSelectionNeverMovesIt) {
  Select(100, 100, 300, 200);
  const ScreenRect toolbar = State().ToolbarRect;
  MoveTo(toolbar.left + 17, toolbar.top + 12);  // the rectangle tool, and with it the style bar
  Press(toolbar.left + 17, toolbar.top + 12);
  Release(toolbar.left + 17, toolbar.top + 12);
  const ScreenRect bar = State().StyleBarRect;
  ASSERT_FALSE(bar.IsEmpty());
  for (POINT press : {POINT{50, 150}, POINT{toolbar.left + 151, toolbar.top + 12}, POINT{bar.left + 140, bar.top + 12}}) {
    MoveTo(press.x, press.y);
    Press(press.x, press.y);
    EXPECT_EQ(State().pressLocked, 0);
    MoveTo(150, 150);
    MoveTo(170, 160);
    Release(170, 160);
    EXPECT_EQ(State().SelectionRect, (ScreenRect{100, 100, 300, 200})) << press.x << "," << press.y;
  }
}

TEST_F(OverlayTest, RightClicksOpenTheMenuClearTheSelectionOrLeave) {
  Select(100, 100, 300, 200);
  RightClick(200, 150);
  EXPECT_EQ(State().menuShown, 1);
  EXPECT_NE(State().MenuRect, ScreenRect{});

  Press(700, 550);  // a press off the menu only closes it
  Release(700, 550);
  EXPECT_EQ(State().menuShown, 0);
  EXPECT_EQ(State().SelectionRect, (ScreenRect{100, 100, 300, 200}));

  RightClick(700, 550);  // outside an existing selection: only the selection goes
  EXPECT_EQ(State().selectionMade, 0);
  EXPECT_EQ(State().SelectionRect, ScreenRect{});
  EXPECT_TRUE(TheOverlay().IsLoaded());

  RightClick(700, 550);  // no selection: the capture ends
  EXPECT_FALSE(TheOverlay().IsLoaded());
}

TEST_F(OverlayTest, PressOnAToolbarButtonWhileTheMenuIsOpenOnlyClosesTheMenu) {
  Select(100, 100, 300, 200);
  RightClick(290, 110);  // the menu opens right of the toolbar's cancel button
  const ScreenRect toolbar = State().ToolbarRect;
  ASSERT_NE(toolbar, ScreenRect{});
  MoveTo(toolbar.left + 250, toolbar.top + 10);
  Press(toolbar.left + 250, toolbar.top + 10);  // the cancel button
  EXPECT_TRUE(TheOverlay().IsLoaded());
  EXPECT_EQ(State().menuShown, 0);
}

TEST_F(OverlayTest, EscapeLeavesFromEveryState) {
  KeyEscape();
  EXPECT_FALSE(TheOverlay().IsLoaded());
  for (int state = 0; state < 4; ++state) {
    ASSERT_TRUE(TheOverlay().Load(false));
    if (state >= 1) Select(100, 100, 300, 200);
    if (state == 2) RightClick(200, 150);
    if (state == 3) {
      MoveTo(200, 150);
      Press(200, 150);
      MoveTo(220, 150);
    }
    KeyEscape();
    EXPECT_FALSE(TheOverlay().IsLoaded()) << "state " << state;
    EXPECT_EQ(State().selectionMade, 0);
    EXPECT_EQ(State().buttonDown, 0);
  }
}

TEST_F(OverlayTest, TheReleaseAfterReselectCreatesNoSelection) {
  Select(100, 100, 300, 200);
  RightClick(200, 150);
  const ScreenRect menu = State().MenuRect;
  const int x = menu.left + 50, y = menu.top + 150;  // "重新选择截图区域"
  MoveTo(x, y);
  Press(x, y);
  EXPECT_EQ(State().selectionMade, 0);
  EXPECT_EQ(State().skipNextRelease, 1);
  Release(x, y);
  EXPECT_EQ(State().selectionMade, 0);
  EXPECT_EQ(State().skipNextRelease, 0);
  EXPECT_TRUE(TheOverlay().IsLoaded());
}
