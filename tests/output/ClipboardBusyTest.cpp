// Finishing while another program holds the clipboard open: a short hold is waited out and the
// bitmap lands; a long one ends the capture all the same, without a crash and without touching
// what the clipboard held.

#include <gtest/gtest.h>

#include "app/process/CaptureOverlay.h"
#include "support/ClipboardContents.h"
#include "support/ClipboardHolder.h"
#include "output/Clipboard.h"
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
  ClipboardHolder holder(300);  // well inside the two seconds the finish keeps trying
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

// A finish that cannot reach the clipboard is no finish: the capture stays, with its selection,
// the user is told why, and once the holder lets go, finishing again lands the exact pixels.
TEST_F(ClipboardBusyTest, ALongHoldKeepsTheCaptureSaysWhyAndTheNextFinishLands) {
  std::vector<std::string> reported;
  ReportClipboardFailure = [&](HWND, const std::string& reason) { reported.push_back(reason); };
  ClipboardHolder holder(3500);
  ASSERT_TRUE(holder.Holding()) << holder.Error();
  FinishNow(&holder);
  EXPECT_TRUE(holder.StillHolding()) << "waited for the holder instead of giving up";
  ASSERT_EQ(reported.size(), 1u);
  EXPECT_NE(reported[0].find("剪贴板"), std::string::npos) << reported[0];
  EXPECT_TRUE(TheOverlay().IsLoaded()) << "the capture is kept";
  EXPECT_EQ(State().SelectionRect, kSelection);
  EXPECT_EQ(ClipboardText(), kMarker) << "the clipboard is as it was";

  EXPECT_EQ(holder.WaitForRelease(), 0);
  FinishNow();
  EXPECT_FALSE(TheOverlay().IsLoaded());
  const ClipboardBitmap clip = ReadClipboard();
  EXPECT_EQ(clip.width, kSelection.Width());
  EXPECT_EQ(MismatchedPixels(clip, kSelection.left, kSelection.top), 0);
  ReportClipboardFailure = [](HWND, const std::string&) {};
}
