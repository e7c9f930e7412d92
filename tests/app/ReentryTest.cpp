// Messages the system sends the overlay from inside its own handling (a hit test while the
// pointer is set, an icon query while the canvas is pushed) must not start it over and over.

#include <map>

#include "app/process/CaptureOverlay.h"
#include "app/canvas/RedrawMode.h"
#include "app/input/Commands.h"
#include "support/OverlayFixture.h"

namespace {

// Counts the messages sent to one window of this thread while it lives.
class SentMessages {
 public:
  explicit SentMessages(HWND window) {
    target = window;
    counts.clear();
    hook_ = SetWindowsHookExA(WH_CALLWNDPROC, &SentMessages::Hook, nullptr, GetCurrentThreadId());
  }
  ~SentMessages() { UnhookWindowsHookEx(hook_); }
  SentMessages(const SentMessages&) = delete;
  SentMessages& operator=(const SentMessages&) = delete;

  int Count(UINT message) const { return counts.count(message) ? counts.at(message) : 0; }
  // A window not yet made when counting starts: counts go to the first window of the class.
  static HWND target;

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && (sent->hwnd == target || (!target && sent->hwnd == TheOverlay().Handle())))
      ++counts[sent->message];
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static std::map<UINT, int> counts;
  HHOOK hook_;
};

HWND SentMessages::target = nullptr;
std::map<UINT, int> SentMessages::counts;

}  // namespace

class ReentryTest : public OverlayTest {
 protected:
  void SetUp() override {
    OverlayTest::SetUp();
    GetCursorPos(&pointer_);
    SetCursorPos(100, 100);  // the real pointer over the overlay: setting its shape asks what is under it
  }
  void TearDown() override {
    SetCursorPos(pointer_.x, pointer_.y);
    OverlayTest::TearDown();
  }
  POINT pointer_{};
};

TEST_F(ReentryTest, AMoveThatSetsThePointerHitTestsOnce) {
  Select(200, 200, 500, 400);
  for (POINT p : {POINT{350, 300}, POINT{200, 300}, POINT{5, 5}}) {
    SentMessages sent(Overlay());
    MoveTo(p.x, p.y);
    EXPECT_LE(sent.Count(WM_NCHITTEST), 3) << p.x << "," << p.y;
  }
  MoveTo(350, 300);
  EXPECT_EQ(State().zone, HitZone::Inside) << "the zone still follows the cursor";
  EXPECT_EQ(State().mode, CaptureMode::Drag);
}

TEST_F(ReentryTest, OpeningAsksForTheIconOnlyAFewTimes) {
  // Pushing the canvas while the window is being shown makes the system ask for its icon; a
  // push from there would ask again. The plain full redraw pushes on every message, so it shows.
  for (RedrawMode mode : {RedrawMode::Full, RedrawMode::Damage}) {
    CancelCapture();
    SetRedrawMode(mode);
    SentMessages sent(nullptr);
    ASSERT_TRUE(TheOverlay().Load(false));
    EXPECT_LE(sent.Count(WM_GETICON), 6) << (mode == RedrawMode::Full ? "full" : "damage");
  }
  SetRedrawMode(RedrawMode::Damage);
}
