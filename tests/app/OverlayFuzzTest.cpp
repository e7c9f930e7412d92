// Long random sequences of input through the overlay's real window procedure, checked after every
// message: nothing escapes, the selection stays a selection, the state's facts agree with each
// other, and (every so often) the canvas shows exactly what the plain full redraw paints.
//
// SCREENCUT_FUZZ_SEED fixes the seed; SCREENCUT_FUZZ_CLOCK=1 adds one from the clock, printed;
// SCREENCUT_FUZZ_MESSAGES sets how many messages each seed sends.

#include <windows.h>
#include <commdlg.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <string>

#include "app/canvas/RedrawMode.h"
#include "app/desktop/Desktop.h"
#include "app/desktop/Monitors.h"
#include "app/input/Commands.h"
#include "app/input/OverlayWindowProc.h"
#include "output/Clipboard.h"
#include "app/process/CaptureOverlay.h"
#include "app/render/Render.h"
#include "support/ImportPatch.h"
#include "support/OverlayFixture.h"

namespace {

int FromEnvironment(const char* name, int fallback) {
  const char* value = std::getenv(name);
  return value && *value ? std::atoi(value) : fallback;
}

// The toolbar's buttons (dx of each button's middle).
constexpr int kToolbarDx[] = {17, 43, 69, 95, 121, 151, 181, 207, 251, 294};
// The tools box's (dx of each button's middle).
constexpr int kToolsBoxDx[] = {17, 43, 69, 95, 121};
// The menu's rows (dy of each row's middle), but for pinning: a pin outlives the capture, and
// PinTest drives it.
constexpr int kMenuDy[] = {13, 35, 57, 79, 101, 123, 149, 171, 193, 241, 263};
constexpr WPARAM kKeys[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_RETURN, VK_ESCAPE, 'Z', 'Y', 'C', 'S',
                            VK_BACK, VK_DELETE, VK_HOME, VK_END,
                            VK_SHIFT, 'R', 'E', 'A', 'L', 'P', 'H', 'T', 'M', 'B', 'N'};  // the tools' keys

// Any press may land on a save button: the dialog is dismissed at once instead of waiting.
WINBOOL WINAPI DismissedAtOnce(LPOPENFILENAMEW) { return FALSE; }
DWORD WINAPI NoDialogError() { return 0; }

class OverlayFuzzTest : public OverlayTest {
 protected:
  void SetUp() override {
    OverlayTest::SetUp();
    ReportUnexpectedFailure = [this](HWND, const std::string& what) { escaped_ = what.empty() ? "?" : what; };
    // A clipboard another test process holds is no fault of the overlay's.
    ReportClipboardFailure = [](HWND, const std::string&) {};
    ASSERT_TRUE(dialog_.Applied() && dialogError_.Applied());
  }
  void TearDown() override {
    OverlayTest::TearDown();
    ReportUnexpectedFailure = [](HWND, const std::string&) {};
    ReportClipboardFailure = [](HWND, const std::string&) {};
    SetChosenStyle(AnnotationStyle{});  // the style bar was clicked at random; the choice outlives captures
  }

  // A point somewhere the action is: near the selection's edges, on a bar or the menu, or anywhere.
  POINT SomePoint() {
    const CaptureFacts facts = State();
    const int pick = Pick(6);
    const ScreenRect s = facts.SelectionRect;
    auto around = [&](int value) { return value + Pick(9) - 4; };
    if (pick == 0 && facts.selectionMade) return POINT{around(Pick(2) ? s.left : s.right), around(Pick(2) ? s.top : s.bottom)};
    if (pick == 1 && facts.selectionMade) return POINT{s.left + Pick(s.Width() + 1), s.top + Pick(s.Height() + 1)};
    if (pick == 2 && !facts.ToolsBoxRect.IsEmpty() && Pick(3) == 0)
      return POINT{facts.ToolsBoxRect.left + kToolsBoxDx[Pick(5)], facts.ToolsBoxRect.top + 12};
    if (pick == 2 && !facts.ToolbarRect.IsEmpty())
      return POINT{facts.ToolbarRect.left + kToolbarDx[Pick(10)], facts.ToolbarRect.top + 12};
    if (pick == 3 && !facts.MenuRect.IsEmpty())
      return POINT{facts.MenuRect.left + 60, facts.MenuRect.top + kMenuDy[Pick(11)]};
    return POINT{Pick(kTestScreenWidth), Pick(kTestScreenHeight)};
  }

  void SendOne() {
    if (!TheOverlay().IsLoaded()) {
      ASSERT_TRUE(TheOverlay().Load(false));  // an ending ends only that capture
    }
    const POINT at = SomePoint();
    switch (Pick(12)) {
      case 0: case 1: case 2: MoveTo(at.x, at.y); break;
      case 3: MoveTo(at.x, at.y); Press(at.x, at.y); break;
      case 4: Release(at.x, at.y); break;
      case 5: Send(WM_LBUTTONDBLCLK, at.x, at.y, MK_LBUTTON); break;
      case 6: Send(WM_RBUTTONDOWN, at.x, at.y, MK_RBUTTON); Send(WM_RBUTTONUP, at.x, at.y); break;
      case 7: Send(WM_MOUSEWHEEL, at.x, at.y, MAKEWPARAM(0, Pick(2) ? WHEEL_DELTA : -WHEEL_DELTA)); break;
      case 8: case 9: Key(kKeys[Pick(sizeof kKeys / sizeof kKeys[0])], Pick(4)); break;
      case 10: Type(std::wstring(1, static_cast<wchar_t>(Pick(2) ? L'a' + Pick(26) : 0x4E00 + Pick(500)))); break;
      case 11: Send(WM_CAPTURECHANGED, at.x, at.y); break;
    }
  }

  static bool OnOneMonitor(const ScreenRect& rect) {
    for (const ScreenRect& monitor : Session().monitors)
      if (rect.Intersect(monitor) == rect) return true;
    return false;
  }

  // What must hold after every message.
  void ExpectSound(const std::string& where) {
    ASSERT_EQ(escaped_, "") << "thrown inside the overlay, " << where;
    if (!CaptureOpen()) return;
    const CaptureFacts f = State();
    for (const ScreenRect& placed : {f.ToolbarRect, f.StyleBarRect})
      ASSERT_TRUE(placed.IsEmpty() || OnOneMonitor(placed))
          << "a bar at " << placed.left << "," << placed.top << " " << placed.right << "," << placed.bottom
          << " cut by a monitor's edge, " << where;
    if (f.selectionMade) {
      const ScreenRect s = f.SelectionRect;
      ASSERT_TRUE(s.Width() >= 2 && s.Height() >= 2) << where;
      ASSERT_TRUE(TouchesAny(s, Session().monitors)) << "a selection wholly between monitors, " << where;
      // The minimum extent may widen a selection at the screen's edge by a pixel past it.
      ASSERT_TRUE(s.left >= -1 && s.top >= -1 && s.right <= kTestScreenWidth + 1 && s.bottom <= kTestScreenHeight + 1)
          << s.left << "," << s.top << " " << s.right << "," << s.bottom << ", " << where;
    } else {
      ASSERT_TRUE(f.ToolbarRect.IsEmpty() && f.ToolsBoxRect.IsEmpty() && f.StyleBarRect.IsEmpty() &&
                  f.MenuRect.IsEmpty())
          << where;
      ASSERT_FALSE(f.menuShown) << where;
    }
    ASSERT_EQ(f.menuShown != 0, !f.MenuRect.IsEmpty()) << where;
    ASSERT_TRUE(!f.pressLocked || f.buttonDown) << where;
    if (!f.StyleBarRect.IsEmpty()) {
      ASSERT_FALSE(f.ToolbarRect.IsEmpty()) << where;
    }
    // The tools box comes and goes with the toolbar, at its height, and never overlaps it.
    ASSERT_EQ(f.ToolsBoxRect.IsEmpty(), f.ToolbarRect.IsEmpty()) << where;
    if (!f.ToolsBoxRect.IsEmpty()) {
      ASSERT_TRUE(f.ToolsBoxRect.top == f.ToolbarRect.top && f.ToolsBoxRect.bottom == f.ToolbarRect.bottom) << where;
      ASSERT_TRUE(f.ToolsBoxRect.right < f.ToolbarRect.left || f.ToolsBoxRect.left > f.ToolbarRect.right) << where;
    }
  }

  // The canvas as the damage tracking left it is what the plain full redraw paints.
  void ExpectPlainRedrawAgrees(const std::string& where) {
    if (!CaptureOpen()) return;
    // Brought to the cursor as it is now: a message the overlay does not act on (the wheel) left
    // the frame of the one before.
    Render(Session(), CursorPosition());
    Session().frame.Present();
    const std::vector<std::uint32_t> damage = CanvasBytes();
    SetRedrawMode(RedrawMode::Full);
    Render(Session(), CursorPosition());
    const std::vector<std::uint32_t> plain = CanvasBytes();
    SetRedrawMode(RedrawMode::Damage);
    Render(Session(), CursorPosition());
    size_t differing = 0;
    for (size_t i = 0; i < damage.size() && i < plain.size(); ++i) differing += damage[i] != plain[i];
    ASSERT_EQ(differing, 0u) << "pixels differ from the plain redraw, " << where;
  }

  void Run(unsigned seed, int messages) {
    random_.seed(seed);
    for (int i = 0; i < messages; ++i) {
      const std::string where = "message " + std::to_string(i) + " of seed " + std::to_string(seed);
      SendOne();
      ExpectSound(where);
      if (HasFatalFailure()) return;
      if (i % 97 == 0) ExpectPlainRedrawAgrees(where);
      if (HasFatalFailure()) return;
    }
  }

  int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

  std::mt19937 random_;
  std::string escaped_;
  ImportPatch dialog_{"comdlg32.dll", "GetSaveFileNameW", reinterpret_cast<const void*>(&DismissedAtOnce)};
  ImportPatch dialogError_{"comdlg32.dll", "CommDlgExtendedError", reinterpret_cast<const void*>(&NoDialogError)};
};

TEST_F(OverlayFuzzTest, RandomInputLeavesASoundCaptureFixedSeed) {
  const int messages = FromEnvironment("SCREENCUT_FUZZ_MESSAGES", 2500);
  Run(static_cast<unsigned>(FromEnvironment("SCREENCUT_FUZZ_SEED", 20261209)), messages);
}

// Found: Ctrl+S with the menu open, the dialog dismissed, left the menu's rectangle behind a
// closed menu (message 350).
TEST_F(OverlayFuzzTest, FoundASaveFromTheKeysWithTheMenuOpen) { Run(1796852166u, 360); }

// A new seed each run finds what the fixed ones do not, so it runs on demand (SCREENCUT_FUZZ_CLOCK=1):
// a suite that must pass every time keeps the seeds already searched.
TEST_F(OverlayFuzzTest, RandomInputLeavesASoundCaptureSeedOfTheDay) {
  if (std::getenv("SCREENCUT_FUZZ_SEED") || FromEnvironment("SCREENCUT_FUZZ_CLOCK", 0) == 0)
    GTEST_SKIP() << "a seed from the clock runs with SCREENCUT_FUZZ_CLOCK=1";
  const unsigned seed = static_cast<unsigned>(std::time(nullptr));
  std::printf("overlay fuzz seed %u\n", seed);
  Run(seed, FromEnvironment("SCREENCUT_FUZZ_MESSAGES", 2500));
}

// Two monitors of different sizes on the same 800 x 600 virtual screen, the second lower: gaps
// at the top right and the bottom left.
class TwoMonitorFuzzTest : public OverlayFuzzTest {
 protected:
  void SetUp() override {
    OverlayFuzzTest::SetUp();
    CancelCapture();
    OverrideDesktop(DesktopLayout{ScreenRect{0, 0, 800, 600}, {ScreenRect{0, 0, 400, 350}, ScreenRect{400, 100, 800, 600}}, 0});
    ASSERT_TRUE(TheOverlay().Load(false));
  }
};

TEST_F(TwoMonitorFuzzTest, GapsShowBlackAndRandomInputLeavesASoundCapture) {
  EXPECT_EQ(Canvas(700, 50), RGB(0, 0, 0)) << "top-right gap";
  EXPECT_EQ(Canvas(100, 500), RGB(0, 0, 0)) << "bottom-left gap";
  EXPECT_TRUE(CloseTo(Canvas(600, 500), Dimmed(ScreenColour(600, 500))));
  Run(static_cast<unsigned>(FromEnvironment("SCREENCUT_FUZZ_SEED", 20261210)), FromEnvironment("SCREENCUT_FUZZ_MESSAGES", 2500));
}

TEST_F(TwoMonitorFuzzTest, ControlASelectsAMonitorThenTheDesktopAndArrowsStopAtAGap) {
  MoveTo(700, 50);  // in a gap: the nearest monitor counts
  Key('A', kControl);
  EXPECT_EQ(State().SelectionRect, (ScreenRect{400, 100, 800, 600}));
  Key('A', kControl);
  EXPECT_EQ(State().SelectionRect, (ScreenRect{0, 0, 800, 600}));
  CancelCapture();
  ASSERT_TRUE(TheOverlay().Load(false));
  Select(410, 450, 460, 500);
  for (int i = 0; i < 10; ++i) Key(VK_LEFT, kShift);
  EXPECT_EQ(State().SelectionRect, (ScreenRect{360, 450, 410, 500})) << "one step more is wholly in the gap";
}

}  // namespace
