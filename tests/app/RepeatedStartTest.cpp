// The real start button pressed fifty times in a row, Esc closing each capture: every press
// opens the overlay modally, the main window comes back enabled each time, nothing piles up,
// and the program still captures afterwards.
//
// The button opens the overlay in a modal loop that returns only when the capture ends, so the
// keys cannot come from the test's own code after the click. A thread timer set before the
// click fires inside that modal loop, on the same thread, once the overlay is on the screen; it
// plays the user's part there. This keeps everything on one thread, with no window focus or
// real input involved, and a deadline ends a capture that would not close.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "app/process/CaptureOverlay.h"
#include "app/desktop/Desktop.h"
#include "app/process/MainWindow.h"
#include "app/desktop/ScreenGrab.h"
#include "app/input/Commands.h"
#include "support/ClipboardContents.h"
#include "support/DialogDriver.h"
#include "support/OverlayFixture.h"
#include "support/ResourceCounters.h"

namespace {

using Clock = std::chrono::steady_clock;

// Runs one action inside the overlay's modal loop as soon as the overlay is shown; ends the
// capture itself if it is still open at the deadline.
class WhenOverlayShows {
 public:
  explicit WhenOverlayShows(std::function<void()> action) {
    action_ = std::move(action);
    ran_ = false;
    forced_ = false;
    deadline_ = Clock::now() + std::chrono::seconds(5);
    timer_ = SetTimer(nullptr, 0, 20, &WhenOverlayShows::Tick);
  }
  ~WhenOverlayShows() {
    if (timer_) KillTimer(nullptr, timer_);
    action_ = nullptr;
  }
  WhenOverlayShows(const WhenOverlayShows&) = delete;
  WhenOverlayShows& operator=(const WhenOverlayShows&) = delete;

  bool Armed() const { return timer_ != 0; }
  bool Ran() const { return ran_; }
  // The capture had to be ended from here: the action did not close it.
  bool Forced() const { return forced_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    CaptureOverlay& overlay = TheOverlay();
    if (!overlay.IsLoaded()) return;
    if (!ran_ && overlay.Visible()) {
      ran_ = true;
      action_();
    } else if (overlay.IsLoaded() && Clock::now() > deadline_) {
      forced_ = true;
      CancelCapture();
    }
  }

  UINT_PTR timer_ = 0;
  static inline std::function<void()> action_;
  static inline bool ran_ = false;
  static inline bool forced_ = false;
  static inline Clock::time_point deadline_;
};

void SendToOverlay(UINT message, int x, int y, WPARAM wParam = 0) {
  OverrideCursorPosition(POINT{x, y});
  if (HWND overlay = TheOverlay().Handle()) SendMessageA(overlay, message, wParam, MAKELPARAM(x, y));
}

}  // namespace

class RepeatedStartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OverrideScreenSize(SIZE{kTestScreenWidth, kTestScreenHeight});
    ScreenSnapshotSource = [] { return SyntheticScreen(ScreenWidth(), ScreenHeight()); };
    OverrideCursorPosition(POINT{5, 5});
    ASSERT_TRUE(TheMainWindow().Load(false));
  }
  void TearDown() override {
    if (TheOverlay().IsLoaded()) CancelCapture();
    OverrideCursorPosition(std::nullopt);
    OverrideScreenSize(std::nullopt);
    ScreenSnapshotSource = TakeScreenSnapshot;
  }
  // Clicks "开始截图"; returns when the capture it opened has ended.
  void PressStart(std::function<void()> whileOpen, int press) {
    WhenOverlayShows script(std::move(whileOpen));
    ASSERT_TRUE(script.Armed());
    SendMessageA(TheMainWindow().StartButton(), BM_CLICK, 0, 0);
    ASSERT_TRUE(script.Ran()) << "press " << press << " showed no overlay";
    EXPECT_FALSE(script.Forced()) << "press " << press << ": the capture did not end by itself";
    EXPECT_FALSE(TheOverlay().IsLoaded()) << "press " << press;
    EXPECT_TRUE(TheMainWindow().Visible()) << "press " << press;
    EXPECT_TRUE(IsWindowEnabled(TheMainWindow().Handle())) << "press " << press;
    // Not some other program's window: the main window was enabled again before the overlay
    // went, so the activation came back to it.
    EXPECT_EQ(GetActiveWindow(), TheMainWindow().Handle()) << "press " << press;
  }
};

TEST_F(RepeatedStartTest, FiftyStartsWithEscBetweenLeaveTheProgramWorking) {
  const auto escape = [] { SendMessageA(TheOverlay().Handle(), WM_KEYDOWN, VK_ESCAPE, 0); };
  PressStart(escape, 1);
  const ResourceLevels before = MeasureResources();
  for (int press = 2; press <= 50 && !HasFatalFailure(); ++press) PressStart(escape, press);
  ASSERT_FALSE(HasFatalFailure());
  const ResourceLevels after = MeasureResources();
  if (before.gdiObjects >= 0) {
    EXPECT_EQ(after.gdiObjects, before.gdiObjects) << "GDI objects";
  }
  if (before.userObjects >= 0) {
    EXPECT_EQ(after.userObjects, before.userObjects) << "USER objects";
  }
  if (before.heapBytes >= 0) {
    EXPECT_LE(after.heapBytes - before.heapBytes, 32 * 1024) << "heap bytes";
  }

  // And the next press still captures.
  ClearClipboard();
  PressStart(
      [] {
        SendToOverlay(WM_MOUSEMOVE, 200, 150);
        SendToOverlay(WM_LBUTTONDOWN, 200, 150, MK_LBUTTON);
        SendToOverlay(WM_MOUSEMOVE, 300, 220, MK_LBUTTON);
        SendToOverlay(WM_LBUTTONUP, 300, 220);
        SendToOverlay(WM_MOUSEMOVE, 250, 180);
        SendToOverlay(WM_LBUTTONDBLCLK, 250, 180, MK_LBUTTON);
      },
      51);
  const ClipboardBitmap clip = ReadClipboard();
  ASSERT_EQ(clip.width, 100);
  ASSERT_EQ(clip.height, 70);
  EXPECT_EQ(MismatchedPixels(clip, 200, 150), 0);
}

TEST_F(RepeatedStartTest, ASaveEndsTheCaptureAndGivesBackTheMainWindow) {
  TempDir scratch;
  const std::string target = scratch.Path() + "shot";
  DialogDriver driver([&](HWND dialog) {
    TypeFileName(dialog, target);
    PressButton(dialog, IDOK);
  });
  PressStart(
      [] {
        SendToOverlay(WM_MOUSEMOVE, 200, 150);
        SendToOverlay(WM_LBUTTONDOWN, 200, 150, MK_LBUTTON);
        SendToOverlay(WM_MOUSEMOVE, 300, 220, MK_LBUTTON);
        SendToOverlay(WM_LBUTTONUP, 300, 220);
        const ScreenRect toolbar = Session().state.ToolbarRect;
        SendToOverlay(WM_MOUSEMOVE, toolbar.left + 181, toolbar.top + 12);
        SendToOverlay(WM_LBUTTONDOWN, toolbar.left + 181, toolbar.top + 12, MK_LBUTTON);
      },
      1);
  EXPECT_TRUE(driver.Finish());
  EXPECT_NE(GetFileAttributesA((target + ".png").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetForegroundWindow(), TheMainWindow().Handle());
}

TEST_F(RepeatedStartTest, ACaptureEndedByASentMessageEndsTheModalLoopAtOnce) {
  // Handled inside the loop's wait for its next message: the loop must see the overlay go.
  std::atomic<bool> returned{false}, wokenFromOutside{false};
  std::thread closer([&] {
    HWND overlay = nullptr;
    for (int i = 0; i < 250 && !(overlay && IsWindowVisible(overlay)); ++i) {
      Sleep(20);
      overlay = FindWindowA("ScreenCutOverlay", nullptr);
    }
    if (overlay) SendMessageA(overlay, WM_KEYDOWN, VK_ESCAPE, 0);
    for (int i = 0; i < 150 && !returned; ++i) Sleep(20);
    if (!returned) {
      wokenFromOutside = true;  // a failing loop would wait for input that never comes
      if (IsWindow(overlay)) PostMessageA(overlay, WM_KEYDOWN, VK_ESCAPE, 0);
      PostMessageA(TheMainWindow().Handle(), WM_NULL, 0, 0);
    }
  });
  SendMessageA(TheMainWindow().StartButton(), BM_CLICK, 0, 0);
  returned = true;
  closer.join();
  EXPECT_FALSE(wokenFromOutside) << "the modal loop kept waiting after its overlay had gone";
  EXPECT_FALSE(TheOverlay().IsLoaded());
  EXPECT_TRUE(IsWindowEnabled(TheMainWindow().Handle()));
}
