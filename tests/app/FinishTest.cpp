// Finishing puts exactly the selected pixels of the frozen screen on the clipboard.

#include "app/CaptureOverlay.h"
#include "app/Desktop.h"
#include "output/Commands.h"
#include "support/OverlayFixture.h"

namespace {

struct ClipboardBitmap {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;
};

ClipboardBitmap ReadClipboard() {
  ClipboardBitmap result;
  if (!OpenClipboard(nullptr)) return result;
  if (auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP)))
    result.pixels = BitmapPixels(bitmap, result.width, result.height);
  CloseClipboard();
  return result;
}

void ClearClipboard() {
  if (OpenClipboard(nullptr)) {
    EmptyClipboard();
    CloseClipboard();
  }
}

// Every pixel of the bitmap against the synthetic screen at (left, top).
int MismatchedPixels(const ClipboardBitmap& clip, int left, int top) {
  int mismatched = 0;
  for (int y = 0; y < clip.height; ++y)
    for (int x = 0; x < clip.width; ++x) {
      const COLORREF want = ScreenColour(left + x, top + y);
      const std::uint32_t got = clip.pixels[static_cast<size_t>(y) * clip.width + x] & 0xFFFFFF;
      mismatched += got != static_cast<std::uint32_t>((GetRValue(want) << 16) | (GetGValue(want) << 8) | GetBValue(want));
    }
  return mismatched;
}

}  // namespace

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
  Capture().SelectionRect = ScreenRect{300, 300, 301, 400};
  FinishCapture();
  const ClipboardBitmap clip = ReadClipboard();
  ASSERT_EQ(clip.width, 1);
  ASSERT_EQ(clip.height, 100);
  EXPECT_EQ(MismatchedPixels(clip, 300, 300), 0);

  ASSERT_TRUE(TheOverlay().Load(false));
  MoveTo(300, 300);
  Press(300, 300);
  Release(300, 300);  // a click right after opening: selected, but 0 × 0
  ASSERT_EQ(State().SelectionRect, ScreenRect{});
  Send(WM_LBUTTONDBLCLK, 300, 300, MK_LBUTTON);
  EXPECT_FALSE(TheOverlay().IsLoaded()) << "an empty selection still ends the capture";
}
