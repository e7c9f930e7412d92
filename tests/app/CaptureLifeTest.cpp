// Every way a capture ends leaves nothing behind, and input arriving while a command runs, or
// after one has ended the capture, starts nothing.

#include "app/process/CaptureOverlay.h"
#include "app/desktop/Desktop.h"
#include "support/ClipboardContents.h"
#include "support/DialogDriver.h"
#include "support/OverlayFixture.h"

namespace {

constexpr int kSaveButtonDx = 181;
constexpr int kReselectRowDy = 150;

}  // namespace

class CaptureLifeTest : public OverlayTest {
 protected:
  void ExpectEndedCleanly(const char* how) {
    EXPECT_FALSE(TheOverlay().IsLoaded()) << how;
    // The session, and with it the layers, the canvas's attachment and the subclass, is gone.
    EXPECT_EQ(CurrentSession(), nullptr) << how;
  }
  void Reopen() { ASSERT_TRUE(TheOverlay().Load(false)); }
  // Opens the menu inside the selection and presses (without releasing) the row at dy.
  void PressMenuRow(int dy) {
    RightClick(150, 120);
    const ScreenRect menu = State().MenuRect;
    MoveTo(menu.left + 60, menu.top + dy);
    Press(menu.left + 60, menu.top + dy);
  }
};

TEST_F(CaptureLifeTest, TheSystemsCloseEndsTheCaptureAsEscDoes) {
  const std::pair<UINT, WPARAM> closes[] = {{WM_CLOSE, 0}, {WM_SYSCOMMAND, SC_CLOSE}};
  for (const auto& [message, wParam] : closes) {
    Select(100, 100, 300, 200);
    SendMessageA(Overlay(), message, wParam, 0);
    ExpectEndedCleanly(message == WM_CLOSE ? "WM_CLOSE" : "SC_CLOSE");
    Reopen();
    // The old selection is gone: a double click has nothing to finish.
    ClearClipboard();
    Send(WM_LBUTTONDBLCLK, 200, 150, MK_LBUTTON);
    EXPECT_TRUE(TheOverlay().IsLoaded());
    EXPECT_FALSE(ClipboardHasBitmap());
  }
}

TEST_F(CaptureLifeTest, AReselectCutShortByEscDoesNotSwallowTheNextSelection) {
  Select(100, 100, 300, 200);
  PressMenuRow(kReselectRowDy);
  KeyEscape();  // before the release that reselect waits for
  ExpectEndedCleanly("Esc");
  Reopen();
  Select(200, 200, 400, 300);
  EXPECT_EQ(State().selectionMade, 1);
  EXPECT_NE(State().ToolbarRect, ScreenRect{}) << "the first selection of the next capture got no toolbar";
}

TEST_F(CaptureLifeTest, ADoubleClickQueuedBeforeSaveDoesNotFinishUnderTheDialog) {
  Select(100, 100, 160, 140);
  ClearClipboard();
  PostMessageA(Overlay(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(130, 120));
  DialogDriver driver([](HWND dialog) { PressButton(dialog, IDCANCEL); });
  const ScreenRect toolbar = State().ToolbarRect;
  MoveTo(toolbar.left + kSaveButtonDx, toolbar.top + 12);
  Press(toolbar.left + kSaveButtonDx, toolbar.top + 12);
  EXPECT_TRUE(driver.Finish()) << "the save dialog never showed";
  EXPECT_FALSE(ClipboardHasBitmap()) << "the queued double click finished the capture";
  ASSERT_TRUE(TheOverlay().IsLoaded());
  EXPECT_EQ(State().selectionMade, 1) << "the dismissed dialog keeps the selection";
}

TEST_F(CaptureLifeTest, APressThatClosesTheMenuDoesNotMoveTheSelection) {
  Select(100, 100, 300, 200);
  RightClick(150, 120);
  ASSERT_EQ(State().menuShown, 1);
  MoveTo(120, 180);  // inside the selection, left of the menu
  Press(120, 180);
  EXPECT_EQ(State().menuShown, 0);
  MoveTo(130, 185);
  MoveTo(140, 190);
  Release(140, 190);
  EXPECT_EQ(State().SelectionRect, (ScreenRect{100, 100, 300, 200}));
}

TEST_F(CaptureLifeTest, ADragHoldsTheMouseAndALostMouseEndsTheDrag) {
  Select(100, 100, 300, 200);
  MoveTo(200, 150);
  Press(200, 150);
  EXPECT_EQ(GetCapture(), Overlay()) << "the release must come back to the overlay";
  MoveTo(210, 150);
  MoveTo(220, 150);
  Release(220, 150);
  EXPECT_NE(GetCapture(), Overlay());

  MoveTo(200, 150);
  Press(200, 150);
  MoveTo(210, 150);
  HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  SetCapture(other);  // the release will never reach the overlay
  EXPECT_EQ(State().buttonDown, 0);
  EXPECT_EQ(State().pressLocked, 0);
  ReleaseCapture();
  DestroyWindow(other);
  const ScreenRect after = State().SelectionRect;
  MoveTo(260, 190);
  EXPECT_EQ(State().SelectionRect, after) << "a move without the button moved the selection";
}

TEST_F(CaptureLifeTest, ASmallerNextCaptureReadsNothingOfTheLast) {
  // Pixels kept for comparing while the toolbar's cancel was drawn lay far down the old canvas.
  Select(500, 400, 780, 560);
  const ScreenRect toolbar = State().ToolbarRect;
  MoveTo(toolbar.left + 250, toolbar.top + 12);
  Press(toolbar.left + 250, toolbar.top + 12);
  ASSERT_FALSE(TheOverlay().IsLoaded());
  OverrideScreenSize(SIZE{64, 48});
  Reopen();
  MoveTo(10, 10);
  EXPECT_TRUE(TheOverlay().IsLoaded());
}
