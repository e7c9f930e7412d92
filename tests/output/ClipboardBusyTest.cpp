// Finishing while another program holds the clipboard open: a short hold is waited out and the
// bitmap lands; a long one ends the capture all the same, without a crash and without touching
// what the clipboard held.

#include <gtest/gtest.h>

#include "app/process/CaptureOverlay.h"
#include "support/ClipboardContents.h"
#include "support/ClipboardHolder.h"
#include "support/OverlayFixture.h"
#include "support/ResourceCounters.h"

namespace {

const ScreenRect kSelection{120, 90, 300, 210};
const std::string kMarker = "held before the capture";

}  // namespace

class ClipboardBusyTest : public OverlayTest {
 protected:
  void SetUp() override {
    OverlayTest::SetUp();
    ASSERT_TRUE(PutClipboardText(kMarker));
    Select(kSelection.left, kSelection.top, kSelection.right, kSelection.bottom);
  }
  // Finishes by a double click inside the selection. With a holder, the finish must start while
  // it still holds the clipboard, or the case proves nothing.
  void FinishNow(const ClipboardHolder* holder = nullptr) {
    const int x = (kSelection.left + kSelection.right) / 2, y = (kSelection.top + kSelection.bottom) / 2;
    MoveTo(x, y);
    if (holder) {
      EXPECT_TRUE(holder->StillHolding()) << "the helper let go before the finish began";
    }
    Send(WM_LBUTTONDBLCLK, x, y, MK_LBUTTON);
  }
};

TEST_F(ClipboardBusyTest, AShortHoldIsWaitedOutAndTheBitmapLands) {
  ClipboardHolder holder(300);  // well inside the half second the finish keeps trying
  ASSERT_TRUE(holder.Holding()) << holder.Error();
  FinishNow(&holder);  // the bitmap landing below shows the finish tried again until it was let go
  EXPECT_FALSE(TheOverlay().IsLoaded()) << "the capture ends";
  EXPECT_EQ(holder.WaitForRelease(), 0);

  const ClipboardBitmap clip = ReadClipboard();
  ASSERT_EQ(clip.width, kSelection.right - kSelection.left);
  ASSERT_EQ(clip.height, kSelection.bottom - kSelection.top);
  EXPECT_EQ(MismatchedPixels(clip, kSelection.left, kSelection.top), 0);
  EXPECT_EQ(ClipboardText(), "") << "the bitmap replaced the text";
}

TEST_F(ClipboardBusyTest, ALongHoldEndsTheCaptureAndLeavesTheClipboardAsItWas) {
  FinishNow();  // one capture as usual, so that the counts below start from a warm program
  ASSERT_TRUE(PutClipboardText(kMarker));
  const ResourceLevels before = MeasureResources();
  ASSERT_TRUE(TheOverlay().Load(false));
  Select(kSelection.left, kSelection.top, kSelection.right, kSelection.bottom);

  ClipboardHolder holder(2500);
  ASSERT_TRUE(holder.Holding()) << holder.Error();
  FinishNow(&holder);
  EXPECT_TRUE(holder.StillHolding()) << "waited for the holder instead of giving up";
  EXPECT_FALSE(TheOverlay().IsLoaded()) << "the capture ends all the same";
  const ResourceLevels after = MeasureResources();
  if (before.gdiObjects >= 0) {
    EXPECT_EQ(after.gdiObjects, before.gdiObjects) << "the bitmap the clipboard did not take is deleted";
  }
  EXPECT_EQ(holder.WaitForRelease(), 0);
  EXPECT_EQ(ClipboardText(), kMarker);
  EXPECT_FALSE(ClipboardHasBitmap());

  // The program goes on: the next capture reaches the clipboard.
  ASSERT_TRUE(TheOverlay().Load(false));
  Select(kSelection.left, kSelection.top, kSelection.right, kSelection.bottom);
  FinishNow();
  const ClipboardBitmap clip = ReadClipboard();
  EXPECT_EQ(clip.width, kSelection.right - kSelection.left);
  EXPECT_EQ(MismatchedPixels(clip, kSelection.left, kSelection.top), 0);
}
