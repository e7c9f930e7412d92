// The window under the cursor, before any selection exists: shown like a selection, picked by a
// click exactly, noted once per capture.

#include <memory>

#include "app/process/CaptureOverlay.h"
#include "app/input/Commands.h"
#include "support/ClipboardContents.h"
#include "support/OverlayFixture.h"
#include "support/TestWindow.h"

namespace {

const COLORREF kBlue = RGB(0, 174, 255);
const ScreenRect kOuter{200, 150, 500, 350};
const ScreenRect kInner{240, 180, 340, 240};  // a child of the outer window

}  // namespace

class WindowPickTest : public OverlayTest {
 protected:
  void SetUp() override {
    ClearClipboard();
    outer_ = std::make_unique<TestWindow>(kOuter.left, kOuter.top, 300, 200);
    inner_ = std::make_unique<TestWindow>(*outer_, 40, 30, 100, 60);
    OverlayTest::SetUp();
  }
  void TearDown() override {
    OverlayTest::TearDown();
    inner_.reset();
    outer_.reset();
  }
  bool Undimmed(int x, int y) const { return CloseTo(Canvas(x, y), ScreenColour(x, y)); }
  bool Dimmed(int x, int y) const { return CloseTo(Canvas(x, y), ::Dimmed(ScreenColour(x, y))); }
  void Click(int x, int y) {
    MoveTo(x, y);
    Press(x, y);
    Release(x, y);
  }

  std::unique_ptr<TestWindow> outer_, inner_;
};

TEST_F(WindowPickTest, TheWindowUnderTheCursorIsShownUndimmedAndFramedOnly) {
  MoveTo(300, 200);
  EXPECT_TRUE(Undimmed(kInner.left + 5, kInner.top + 5));
  EXPECT_TRUE(Dimmed(kOuter.left + 5, kOuter.top + 5)) << "the innermost window only";
  EXPECT_EQ(Canvas(kInner.left, kInner.top + 30), kBlue);
  EXPECT_EQ(Canvas(kInner.left + 30, kInner.top), kBlue);
  EXPECT_TRUE(Dimmed(kInner.left - 2, kInner.top - 2)) << "no handle";
  EXPECT_TRUE(Dimmed(kInner.left + 30, kInner.top - 12)) << "no size label";
  EXPECT_EQ(State().selectionMade, 0);

  MoveTo(kOuter.left + 5, kOuter.bottom - 5);
  EXPECT_TRUE(Undimmed(kOuter.left + 5, kOuter.top + 5)) << "the candidate follows the cursor";
  EXPECT_TRUE(Undimmed(kInner.left + 5, kInner.top + 5));
  EXPECT_EQ(Canvas(kOuter.left, kOuter.top + 30), kBlue);
  EXPECT_NE(Canvas(kInner.left, kInner.top + 30), kBlue);

  MoveTo(700, 500);
  EXPECT_TRUE(Dimmed(kOuter.left + 5, kOuter.top + 5)) << "no window, no candidate";
  EXPECT_TRUE(Dimmed(kOuter.left, kOuter.top + 30));
}

TEST_F(WindowPickTest, AClickSelectsExactlyTheWindowAndFinishesToItsPixels) {
  MoveTo(300, 200);
  Press(300, 200);
  MoveTo(302, 198);  // within two pixels: still a click
  Release(302, 198);
  ASSERT_EQ(State().selectionMade, 1);
  EXPECT_EQ(State().SelectionRect, kInner);
  EXPECT_NE(State().ToolbarRect, ScreenRect{}) << "the toolbar, as after a drawn selection";
  Send(WM_LBUTTONDBLCLK, 300, 200, MK_LBUTTON);
  const ClipboardBitmap clip = ReadClipboard();
  ASSERT_EQ(clip.width, 100);
  ASSERT_EQ(clip.height, 60);
  EXPECT_EQ(MismatchedPixels(clip, kInner.left, kInner.top), 0);
}

TEST_F(WindowPickTest, AClickOnNoWindowSelectsNothingAndADragDrawsFreely) {
  MoveTo(700, 500);
  Press(700, 500);
  MoveTo(701, 501);
  Release(701, 501);
  EXPECT_EQ(State().selectionMade, 0);
  EXPECT_EQ(State().SelectionRect, ScreenRect{});
  EXPECT_TRUE(Dimmed(700, 500)) << "what the slight movement drew is gone";

  Drag(250, 190, 320, 300);  // starting on a window
  EXPECT_EQ(State().selectionMade, 1);
  EXPECT_EQ(State().SelectionRect, (ScreenRect{250, 190, 320, 300}));
}

TEST_F(WindowPickTest, WindowsAreNotedOncePerCapture) {
  SetWindowPos(outer_->Handle(), nullptr, 550, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Click(300, 200);
  EXPECT_EQ(State().SelectionRect, kInner) << "where the window was as the capture opened";
  CancelCapture();
  ASSERT_TRUE(TheOverlay().Load(false));
  Click(300, 200);
  EXPECT_EQ(State().selectionMade, 0) << "the next capture sees the window moved away";
  Click(600, 100);
  EXPECT_EQ(State().SelectionRect, (ScreenRect{590, 80, 690, 140}));
}
