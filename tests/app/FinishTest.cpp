// Finishing puts exactly the selected pixels of the frozen screen on the clipboard.

#include "app/process/CaptureOverlay.h"
#include "app/desktop/Desktop.h"
#include "app/input/Commands.h"
#include "support/ClipboardContents.h"
#include "support/OverlayFixture.h"

class FinishTest : public OverlayTest {
 protected:
  void SetUp() override {
    ClearClipboard();
    OverlayTest::SetUp();
  }
  ClipboardBitmap FinishBy(int left, int top, int right, int bottom) {
    Select(left, top, right, bottom);
    const int x = (left + right) / 2, y = (top + bottom) / 2;
    MoveTo(x, y);
    Send(WM_LBUTTONDBLCLK, x, y, MK_LBUTTON);
    return ReadClipboard();
  }
};

TEST_F(FinishTest, DoubleClickCopiesExactlyTheSelection) {
  const ClipboardBitmap clip = FinishBy(400, 300, 650, 420);
  ASSERT_EQ(clip.width, 250);
  ASSERT_EQ(clip.height, 120);
  EXPECT_EQ(MismatchedPixels(clip, 400, 300), 0) << "no dimming, frame, handles or label";
  EXPECT_FALSE(TheOverlay().IsLoaded()) << "the capture ends";
  EXPECT_EQ(State().selectionMade, 0);
}

TEST_F(FinishTest, SelectionsAtTheScreenEdgesCopyTheirPixels) {
  const int width = ScreenWidth(), height = ScreenHeight();
  ClipboardBitmap clip = FinishBy(0, 0, 37, 29);
  ASSERT_EQ(clip.width, 37);
  EXPECT_EQ(MismatchedPixels(clip, 0, 0), 0);
  ASSERT_TRUE(TheOverlay().Load(false));
  clip = FinishBy(width - 50, height - 40, width, height);
  ASSERT_EQ(clip.width, 50);
  ASSERT_EQ(clip.height, 40);
  EXPECT_EQ(MismatchedPixels(clip, width - 50, height - 40), 0);
}

TEST_F(FinishTest, OnePixelWideAndEmptySelections) {
  // Dragging always leaves two pixels; a one-pixel selection can only be stored directly.
  Select(300, 300, 400, 400);
  Session().state.SelectionRect = ScreenRect{300, 300, 301, 400};
  FinishCapture();
  const ClipboardBitmap clip = ReadClipboard();
  ASSERT_EQ(clip.width, 1);
  ASSERT_EQ(clip.height, 100);
  EXPECT_EQ(MismatchedPixels(clip, 300, 300), 0);

  ASSERT_TRUE(TheOverlay().Load(false));
  Select(300, 300, 400, 400);
  Session().state.SelectionRect = ScreenRect{};
  Send(WM_LBUTTONDBLCLK, 300, 300, MK_LBUTTON);
  EXPECT_FALSE(TheOverlay().IsLoaded()) << "an empty selection still ends the capture";
}
