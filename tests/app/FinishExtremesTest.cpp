// The smallest and the largest selections a capture can finish: one pixel, and the whole
// screen, on the small test screen and at the display's real size.

#include <gtest/gtest.h>

#include "app/process/CaptureOverlay.h"
#include "app/desktop/Desktop.h"
#include "app/input/Commands.h"
#include "support/ClipboardContents.h"
#include "support/OverlayFixture.h"

class FinishExtremesTest : public OverlayTest {
 protected:
  void SetUp() override {
    ClearClipboard();
    OverlayTest::SetUp();
  }
  // Draws the whole screen, corner to corner, and double-clicks it.
  ClipboardBitmap FinishWholeScreen() {
    const int width = ScreenWidth(), height = ScreenHeight();
    Drag(0, 0, width, height);
    EXPECT_EQ(State().SelectionRect, (ScreenRect{0, 0, width, height}));
    MoveTo(width / 2, height / 2);
    Send(WM_LBUTTONDBLCLK, width / 2, height / 2, MK_LBUTTON);
    EXPECT_FALSE(TheOverlay().IsLoaded());
    return ReadClipboard();
  }
  void ExpectWholeScreen(const ClipboardBitmap& clip) {
    const int width = ScreenWidth(), height = ScreenHeight();
    ASSERT_EQ(clip.width, width);
    ASSERT_EQ(clip.height, height);
    EXPECT_EQ(clip.At(0, 0), ScreenPixel(0, 0));
    EXPECT_EQ(clip.At(width - 1, 0), ScreenPixel(width - 1, 0));
    EXPECT_EQ(clip.At(0, height - 1), ScreenPixel(0, height - 1));
    EXPECT_EQ(clip.At(width - 1, height - 1), ScreenPixel(width - 1, height - 1));
    EXPECT_EQ(MismatchedPixels(clip, 0, 0), 0) << "no dimming, frame, handles, label or toolbar";
  }
};

TEST_F(FinishExtremesTest, OnePixel) {
  // Drawing always leaves two pixels; one pixel can only be stored directly.
  Select(300, 200, 340, 260);
  Session().state.SelectionRect = ScreenRect{317, 229, 318, 230};
  FinishCapture();
  EXPECT_FALSE(TheOverlay().IsLoaded());
  const ClipboardBitmap clip = ReadClipboard();
  ASSERT_EQ(clip.width, 1);
  ASSERT_EQ(clip.height, 1);
  EXPECT_EQ(clip.At(0, 0), ScreenPixel(317, 229));
}

TEST_F(FinishExtremesTest, TheWholeTestScreen) { ExpectWholeScreen(FinishWholeScreen()); }
