// The overlay redrawn by damage (the program's way) shows exactly the pixels of the plain full
// redraw, frame by frame, through a long scripted interaction, and produces the same output.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/capture/AnnotationSession.h"
#include "app/process/CaptureOverlay.h"
#include "app/desktop/Desktop.h"
#include "app/canvas/RedrawMode.h"
#include "app/desktop/ScreenGrab.h"
#include "app/input/Commands.h"
#include "support/OverlayFixture.h"
#include "support/TestWindow.h"
#include "win/Form.h"

namespace {

using Frame = std::vector<std::uint32_t>;

// The screen under the overlay as the system shows it (the overlay lies at 0, 0), in the
// canvas's layout: 32-bit pixels, rows bottom-up, the fourth byte zero.
Frame ScreenBytes(int width, int height) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY | CAPTUREBLT);
  GdiFlush();
  Frame pixels;
  if (bits) {
    const auto* first = static_cast<const std::uint32_t*>(bits);
    pixels.assign(first, first + static_cast<size_t>(width) * static_cast<size_t>(height));
  }
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

Frame WithoutAlpha(Frame pixels) {
  for (std::uint32_t& pixel : pixels) pixel &= 0xFFFFFF;
  return pixels;
}

// "" when equal, else how many pixels differ and where the first one is (rows are bottom-up).
std::string Difference(const Frame& plain, const Frame& damage, int width) {
  if (plain.size() != damage.size()) return "sizes " + std::to_string(plain.size()) + " and " + std::to_string(damage.size());
  size_t differing = 0, first = 0;
  for (size_t i = 0; i < plain.size(); ++i)
    if (plain[i] != damage[i] && differing++ == 0) first = i;
  if (differing == 0) return "";
  const int height = static_cast<int>(plain.size() / static_cast<size_t>(width));
  char text[160];
  std::snprintf(text, sizeof text, "%u pixels differ, first at (%d, %d): plain %08X, damage %08X",
                static_cast<unsigned>(differing), static_cast<int>(first % width),
                height - 1 - static_cast<int>(first / width), plain[first], damage[first]);
  return text;
}

}  // namespace

class RedrawIdentityTest : public OverlayTest {
 public:  // the scripts are handed around by member pointer
  using Frames = std::function<void(const std::string&)>;
  using Steps = void (RedrawIdentityTest::*)(const Frames&);

  // Windows for the candidate to show: one with a child, one cut off by the screen's corner.
  void SetUp() override {
    outer_ = std::make_unique<TestWindow>(480, 360, 300, 200);
    inner_ = std::make_unique<TestWindow>(*outer_, 40, 30, 100, 60);
    cornered_ = std::make_unique<TestWindow>(700, 520, 200, 200);
    OverlayTest::SetUp();
  }
  void TearDown() override {
    OverlayTest::TearDown();
    SetRedrawMode(RedrawMode::Damage);
    SetChosenStyle(AnnotationStyle{});
    cornered_.reset();
    inner_.reset();
    outer_.reset();
  }

  // Opens a fresh overlay in the given mode and runs the script, calling `frame` after each step.
  void Run(RedrawMode mode, const Frames& frame, Steps script = &RedrawIdentityTest::Script) {
    if (TheOverlay().IsLoaded()) CancelCapture();
    SetRedrawMode(mode);
    SetChosenStyle(AnnotationStyle{});  // both runs start from the same style
    OverrideCursorPosition(POINT{5, 5});
    ASSERT_TRUE(TheOverlay().Load(false));
    frame("opened");
    (this->*script)([&](const std::string& step) {
      if (TheOverlay().IsLoaded()) frame(step);
    });
  }

  // Everything the overlay draws: the magnifier at the edges, drawing over and across the press
  // point, the toolbar below, above and inside, resizing by corner and edge, moving against the
  // screen's edges, a selection hanging off the left edge, the menu and its commands, windows
  // under the cursor and one picked by a click, the pointer and the selection moved by keys.
  void Script(const std::function<void(const std::string&)>& frame) {
    auto step = [&](const std::string& name, const std::function<void()>& act) {
      act();
      frame(name);
    };
    for (POINT p : {POINT{100, 100}, POINT{700, 50}, POINT{795, 595}, POINT{0, 0}, POINT{400, 300}})
      step("look " + std::to_string(p.x) + "," + std::to_string(p.y), [&] { MoveTo(p.x, p.y); });

    step("press", [&] { Press(200, 150); });
    for (POINT p : {POINT{260, 200}, POINT{200, 150}, POINT{200, 300}, POINT{150, 100}, POINT{420, 330}})
      step("draw to " + std::to_string(p.x) + "," + std::to_string(p.y), [&] { MoveTo(p.x, p.y); });
    step("release", [&] { Release(420, 330); });
    step("away", [&] { MoveTo(5, 5); });
    const ScreenRect toolbar = State().ToolbarRect;
    for (int dx : {17, 150, 225, 290, 330})
      step("toolbar dx " + std::to_string(dx), [&] { MoveTo(toolbar.left + dx, toolbar.top + 12); });

    step("corner", [&] { MoveTo(420, 330); });
    step("corner press", [&] { Press(420, 330); });
    for (POINT p : {POINT{440, 350}, POINT{470, 380}, POINT{100, 60}, POINT{130, 90}})
      step("corner to " + std::to_string(p.x) + "," + std::to_string(p.y), [&] { MoveTo(p.x, p.y); });
    step("corner release", [&] { Release(130, 90); });

    const ScreenRect s = State().SelectionRect;
    const int middle = (s.left + s.right) / 2;
    step("top edge", [&] { MoveTo(middle, s.top); });
    step("top press", [&] { Press(middle, s.top); });
    for (int y : {s.top + 5, 10, 2, 40})
      step("top to " + std::to_string(y), [&] { MoveTo(middle, y); });
    step("top release", [&] { Release(middle, 40); });

    const ScreenRect t = State().SelectionRect;
    const int cx = (t.left + t.right) / 2, cy = (t.top + t.bottom) / 2;
    step("inside", [&] { MoveTo(cx, cy); });
    step("move press", [&] { Press(cx, cy); });
    for (POINT d : {POINT{7, 3}, POINT{500, 0}, POINT{400, 300}, POINT{-20, -10}, POINT{-700, 0}})
      step("move by " + std::to_string(d.x) + "," + std::to_string(d.y), [&] { MoveTo(cx + d.x, cy + d.y); });
    step("move release", [&] { Release(cx - 700, cy); });

    // Against the left edge: a right edge dragged onto x = 0 leaves the selection at -1..1.
    const ScreenRect u = State().SelectionRect;
    const int uy = (u.top + u.bottom) / 2;
    step("right edge", [&] { MoveTo(u.right, uy); });
    step("right press", [&] { Press(u.right, uy); });
    step("right first", [&] { MoveTo(u.right - 1, uy); });
    step("right to 0", [&] { MoveTo(0, uy); });
    step("right release", [&] { Release(0, uy); });
    step("reset", [&] { RightClick(600, 20); });

    step("tall press", [&] { Press(300, 10); });
    step("tall draw", [&] { MoveTo(500, 595); });
    step("tall release", [&] { Release(500, 595); });
    step("menu", [&] { RightClick(450, 500); });
    const ScreenRect menu = State().MenuRect;
    for (int dy : {24, 136, 150, 240, 300})
      step("menu dy " + std::to_string(dy), [&] { MoveTo(menu.left + 60, menu.top + dy); });
    step("menu row 1", [&] { Press(menu.left + 60, menu.top + 10); });
    step("menu row 1 up", [&] { Release(menu.left + 60, menu.top + 10); });
    step("menu closed", [&] { Press(20, 20); });
    step("menu closed up", [&] { Release(20, 20); });
    step("menu again", [&] { RightClick(350, 100); });
    const ScreenRect bar = State().ToolbarRect;
    step("menu closed by toolbar", [&] { RightClick(bar.left + 100, bar.top + 12); });
    step("menu third", [&] { RightClick(350, 100); });
    const ScreenRect third = State().MenuRect;
    step("reselect", [&] { Press(third.left + 60, third.top + 150); });
    step("reselect up", [&] { Release(third.left + 60, third.top + 150); });
    step("look again", [&] { MoveTo(30, 580); });

    for (POINT p : {POINT{500, 500}, POINT{560, 420}, POINT{790, 590}, POINT{300, 500}, POINT{475, 420}})
      step("window at " + std::to_string(p.x) + "," + std::to_string(p.y), [&] { MoveTo(p.x, p.y); });
    step("pointer key into a window", [&] { Key(VK_RIGHT, kShift); });
    step("pointer key", [&] { Key(VK_DOWN); });
    step("window press", [&] { Press(560, 420); });
    step("window release", [&] { Release(561, 421); });
    EXPECT_EQ(State().SelectionRect, (ScreenRect{520, 390, 620, 450})) << "the click picked the child window";
    step("selection key", [&] { Key(VK_LEFT); });
    step("selection key by ten", [&] { Key(VK_DOWN, kShift); });
    step("edge key", [&] { Key(VK_RIGHT, kControl | kShift); });
    step("edge key in", [&] { Key(VK_UP, kControl); });
    step("keys to the edge", [&] {
      for (int i = 0; i < 30; ++i) Key(VK_RIGHT, kShift);
    });
    step("keys to two pixels", [&] {
      for (int i = 0; i < 20; ++i) Key(VK_LEFT, kControl | kShift);
      for (int i = 0; i < 10; ++i) Key(VK_UP, kControl | kShift);
    });
    EXPECT_EQ(State().SelectionRect, (ScreenRect{690, 400, 692, 402}));
  }

  // Annotating: every tool drawn over and across the selection's edge (Shift held for the
  // ellipse), text typed, edited, restyled, kept by a click and dropped by Esc, undo and redo,
  // the selection moved and resized under the shapes, the tools hidden, a reset.
  void AnnotationScript(const Frames& frame) {
    auto step = [&](const std::string& name, const std::function<void()>& act) {
      act();
      frame(name);
    };
    auto toolbar = [&](int dx, const std::string& name) {
      const ScreenRect bar = State().ToolbarRect;
      step(name + " hover", [&] { MoveTo(bar.left + dx, bar.top + 12); });
      step(name + " press", [&] { Press(bar.left + dx, bar.top + 12); });
      step(name + " release", [&] { Release(bar.left + dx, bar.top + 12); });
    };
    auto drag = [&](const std::string& name, const std::vector<POINT>& path, WPARAM keys) {
      step(name + " press", [&] { Press(path.front().x, path.front().y); });
      for (size_t i = 1; i < path.size(); ++i)
        step(name + " " + std::to_string(i), [&] { Send(WM_MOUSEMOVE, path[i].x, path[i].y, MK_LBUTTON | keys); });
      step(name + " release", [&] { Release(path.back().x, path.back().y); });
    };
    step("select press", [&] { Press(250, 150); });
    step("select draw", [&] { MoveTo(650, 450); });
    step("select release", [&] { Release(650, 450); });
    toolbar(17, "rectangle");
    drag("rectangle", {{300, 200}, {350, 240}, {500, 330}, {320, 210}, {700, 500}, {450, 300}}, 0);
    toolbar(43, "ellipse");
    drag("ellipse", {{400, 250}, {460, 280}, {520, 420}, {380, 200}}, MK_SHIFT);
    toolbar(69, "arrow");
    drag("arrow", {{600, 420}, {500, 300}, {300, 180}, {200, 100}}, 0);
    toolbar(95, "brush");
    drag("brush", {{270, 300}, {300, 330}, {340, 280}, {380, 340}, {420, 290}, {460, 350}, {700, 300}}, 0);
    // Long enough that its parts regroup while it grows; the highlighter crosses it.
    std::vector<POINT> wave;
    for (int i = 0; i <= 32; ++i) wave.push_back(POINT{270 + i * 12, 260 + (i % 4 - 2) * 17 + i});
    drag("long brush", wave, 0);
    step("highlighter", [&] { Key('H'); });
    drag("highlighter", {{280, 240}, {330, 300}, {380, 250}, {430, 310}, {480, 240}, {530, 300}}, 0);
    step("mosaic key", [&] { Key('M'); });
    drag("mosaic", {{320, 190}, {340, 200}, {480, 360}, {300, 170}, {700, 500}, {450, 320}}, 0);
    step("blur key", [&] { Key('B'); });
    drag("blur", {{420, 260}, {430, 275}, {470, 330}, {600, 400}, {380, 200}, {200, 120}, {560, 380}}, 0);
    toolbar(121, "text");
    step("text click", [&] { Press(280, 380); });
    step("text click up", [&] { Release(280, 380); });
    for (const std::wstring& piece : {std::wstring(L"Ab "), std::wstring(L"中文"), std::wstring(L"𠮷")})
      step("type", [&] { Type(piece); });
    step("enter", [&] { Key(VK_RETURN); });
    step("type line", [&] { Type(L"xy"); });
    step("backspace", [&] { Key(VK_BACK); });
    step("left", [&] { Key(VK_LEFT); });
    const ScreenRect styles = State().StyleBarRect;
    step("colour", [&] { Press(styles.left + 143, styles.top + 12); });
    step("colour up", [&] { Release(styles.left + 143, styles.top + 12); });
    step("size", [&] { Press(styles.left + 17, styles.top + 12); });
    step("size up", [&] { Release(styles.left + 17, styles.top + 12); });
    step("text elsewhere", [&] { Press(500, 220); });
    step("text elsewhere up", [&] { Release(500, 220); });
    step("type there", [&] { Type(L"z"); });
    step("esc drops it", [&] { Key(VK_ESCAPE); });
    step("undo", [&] { Key('Z', kControl); });
    step("undo again", [&] { Key('Z', kControl); });
    step("redo", [&] { Key('Y', kControl); });
    step("redo shift", [&] { Key('Z', kControl | kShift); });
    toolbar(150, "undo button");
    toolbar(121, "disarm");
    step("inside", [&] { MoveTo(450, 400); });
    step("move press", [&] { Press(450, 400); });
    step("move 1", [&] { MoveTo(430, 390); });
    step("move 2", [&] { MoveTo(330, 380); });
    step("move release", [&] { Release(330, 380); });
    const ScreenRect moved = State().SelectionRect;
    step("corner", [&] { MoveTo(moved.right, moved.bottom); });
    step("corner press", [&] { Press(moved.right, moved.bottom); });
    step("corner 1", [&] { MoveTo(moved.right + 5, moved.bottom + 5); });
    step("corner 2", [&] { MoveTo(moved.right + 200, moved.bottom + 80); });
    step("corner release", [&] { Release(moved.right + 200, moved.bottom + 80); });
    for (const char* name : {"hide", "show"}) {
      step(std::string("menu ") + name, [&] { RightClick(400, 300); });
      const ScreenRect menu = State().MenuRect;
      step(name, [&] { Press(menu.left + 60, menu.top + 241); });
      step(std::string(name) + " up", [&] { Release(menu.left + 60, menu.top + 241); });
    }
    step("reset", [&] { RightClick(5, 5); });
    step("look", [&] { MoveTo(300, 300); });
  }

  std::unique_ptr<TestWindow> outer_, inner_, cornered_;

  // Both modes through the whole script: every canvas byte the same after every step.
  void ExpectSameFrames(Steps script = &RedrawIdentityTest::Script, size_t minimumSteps = 60) {
    std::vector<std::pair<std::string, Frame>> plain;
    Run(RedrawMode::Full, [&](const std::string& step) { plain.emplace_back(step, CanvasBytes()); }, script);
    ASSERT_GT(plain.size(), minimumSteps) << "the last step: " << plain.back().first;
    ASSERT_EQ(plain.front().second.size(), static_cast<size_t>(ScreenWidth()) * static_cast<size_t>(ScreenHeight()));

    size_t index = 0;
    Run(RedrawMode::Damage, [&](const std::string& step) {
      ASSERT_LT(index, plain.size()) << "more steps than before, at " << step;
      ASSERT_EQ(step, plain[index].first);
      EXPECT_EQ(Difference(plain[index].second, CanvasBytes(), ScreenWidth()), "") << "after " << step;
      ++index;
    }, script);
    EXPECT_EQ(index, plain.size());
  }

  void ExpectWindowShowsCanvas(RedrawMode mode, Steps script) {
    Run(mode, [&](const std::string& step) {
      PumpPendingMessages();  // the system redraws a newly shown window from what it was given
      const Frame canvas = WithoutAlpha(CanvasBytes());
      const Frame screen = WithoutAlpha(ScreenBytes(ScreenWidth(), ScreenHeight()));
      EXPECT_EQ(Difference(canvas, screen, ScreenWidth()), "")
          << (mode == RedrawMode::Full ? "full" : "damage") << ", after " << step;
    }, script);
  }
};

TEST_F(RedrawIdentityTest, DamageRedrawShowsThePixelsOfTheFullRedraw) { ExpectSameFrames(); }

TEST_F(RedrawIdentityTest, AFailedScreenCopyLooksTheSameBothWays) {
  ScreenSnapshotSource = [] { return Bytes{'B', 'M', 0, 1, 2}; };
  ExpectSameFrames();
}

TEST_F(RedrawIdentityTest, AnnotatingLooksTheSameBothWays) { ExpectSameFrames(&RedrawIdentityTest::AnnotationScript, 80); }

TEST_F(RedrawIdentityTest, TheWindowShowsTheCanvasAfterEveryStep) {
  // The window gets only the rectangle a frame changed: nothing may be left out of it.
  for (RedrawMode mode : {RedrawMode::Full, RedrawMode::Damage}) ExpectWindowShowsCanvas(mode, &RedrawIdentityTest::Script);
  ExpectWindowShowsCanvas(RedrawMode::Damage, &RedrawIdentityTest::AnnotationScript);
}
