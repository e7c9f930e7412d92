// What the overlay shows, read back from its canvas.

#include "app/process/CaptureOverlay.h"
#include "app/desktop/Desktop.h"
#include "support/OverlayFixture.h"

namespace {

const COLORREF kBlue = RGB(0, 174, 255);

}  // namespace

TEST_F(OverlayTest, OpeningShowsTheFrozenScreenDimmed) {
  for (POINT p : {POINT{0, 0}, POINT{640, 360}, POINT{ScreenWidth() - 1, ScreenHeight() - 1}}) {
    EXPECT_TRUE(CloseTo(Canvas(p.x, p.y), Dimmed(ScreenColour(p.x, p.y))))
        << p.x << "," << p.y << ": " << std::hex << Canvas(p.x, p.y);
  }
}

TEST_F(OverlayTest, TheSelectionIsUndimmedAndFramedWithHandles) {
  Select(400, 300, 600, 500);
  EXPECT_EQ(Canvas(500, 400), ScreenColour(500, 400)) << "inside: full brightness";
  EXPECT_TRUE(CloseTo(Canvas(380, 400), Dimmed(ScreenColour(380, 400)))) << "outside: dimmed";
  EXPECT_EQ(Canvas(450, 300), kBlue) << "top border";
  EXPECT_EQ(Canvas(400, 450), kBlue) << "left border";
  EXPECT_EQ(Canvas(450, 500), kBlue) << "bottom border";
  EXPECT_EQ(Canvas(600, 450), kBlue) << "right border";
  // Handles are 5 × 5, centred on the corners and midpoints.
  EXPECT_EQ(Canvas(398, 298), kBlue) << "top-left handle";
  EXPECT_EQ(Canvas(602, 502), kBlue) << "bottom-right handle";
  EXPECT_EQ(Canvas(500, 502), kBlue) << "bottom-middle handle";
  EXPECT_EQ(Canvas(496, 298), kBlue) << "top-middle handle, 2 px further left";
  EXPECT_TRUE(CloseTo(Canvas(397, 297), Dimmed(ScreenColour(397, 297)))) << "just outside the handle";
}

TEST_F(OverlayTest, TheSizeLabelSitsAboveOrInside) {
  // The label box is black at alpha 128: over the dimmed screen it darkens it once more, over
  // the undimmed selection it gives the dimmed colour. x = 471 is right of the label's text.
  Select(400, 23, 600, 200);
  EXPECT_TRUE(CloseTo(Canvas(471, 5), Dimmed(Dimmed(ScreenColour(471, 5))), 2)) << "top 23: above, from y = 0";
  EXPECT_EQ(Canvas(471, 30), ScreenColour(471, 30)) << "and not inside";
  KeyEscape();
  ASSERT_TRUE(TheOverlay().Load(false));
  Select(400, 22, 600, 200);
  EXPECT_TRUE(CloseTo(Canvas(471, 30), Dimmed(ScreenColour(471, 30)), 2)) << "top 22: inside, from y = 23";
  EXPECT_TRUE(CloseTo(Canvas(471, 5), Dimmed(ScreenColour(471, 5)))) << "and not above";
}
