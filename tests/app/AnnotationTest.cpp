// Annotating a capture through the real overlay: the tools armed from the toolbar and the menu,
// shapes drawn with the mouse, text typed as UTF-16, undo and redo, the style bar, and what
// finishing hands out, read back pixel by pixel.

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "annotate/TextNote.h"
#include "app/capture/AnnotationSession.h"
#include "app/process/CaptureOverlay.h"
#include "app/render/StyleBar.h"
#include "support/ClipboardContents.h"
#include "support/OverlayFixture.h"
#include "win/Form.h"

namespace {

const ScreenRect kSelection{200, 150, 600, 450};
constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kBlue = 0x0060FF;  // palette entry 5
constexpr int kFinishDx = 294, kUndoDx = 150;

int ToolDx(ToolKind kind) { return 17 + 26 * (static_cast<int>(kind) - 1); }

bool Near(int value, int line, int reach) { return std::abs(value - line) <= reach; }

}  // namespace

class AnnotationTest : public OverlayTest {
 protected:
  void SetUp() override {
    ClearClipboard();
    OverlayTest::SetUp();
    Select(kSelection.left, kSelection.top, kSelection.right, kSelection.bottom);
  }
  void TearDown() override {
    OverlayTest::TearDown();
    SetChosenStyle(AnnotationStyle{});  // the choice outlives captures, not this test
  }

  void Click(int x, int y) {
    MoveTo(x, y);
    Press(x, y);
    Release(x, y);
  }
  void ClickToolbar(int dx) { Click(State().ToolbarRect.left + dx, State().ToolbarRect.top + 12); }
  void Arm(ToolKind kind) { ClickToolbar(ToolDx(kind)); }
  // A drag through the points with the button held (and Shift, when asked).
  void DrawThrough(const std::vector<POINT>& path, bool shift = false) {
    MoveTo(path.front().x, path.front().y);
    Press(path.front().x, path.front().y);
    for (size_t i = 1; i < path.size(); ++i)
      Send(WM_MOUSEMOVE, path[i].x, path[i].y, MK_LBUTTON | (shift ? MK_SHIFT : 0));
    Release(path.back().x, path.back().y);
  }
  ClipboardBitmap Finish() {
    ClickToolbar(kFinishDx);
    EXPECT_FALSE(TheOverlay().IsLoaded());
    return ReadClipboard();
  }
  // The clipboard's pixel at a screen point of the selection.
  static std::uint32_t At(const ClipboardBitmap& clip, int x, int y) {
    return clip.At(x - kSelection.left, y - kSelection.top);
  }
  // The screen points where the clipboard differs from the screen.
  static std::vector<POINT> Changed(const ClipboardBitmap& clip, const ScreenRect& from = kSelection) {
    std::vector<POINT> changed;
    for (int y = 0; y < clip.height; ++y)
      for (int x = 0; x < clip.width; ++x)
        if (clip.At(x, y) != ScreenPixel(from.left + x, from.top + y)) changed.push_back(POINT{from.left + x, from.top + y});
    return changed;
  }
  static bool Red(COLORREF canvas) { return canvas == RGB(255, 0, 0); }
};

TEST_F(AnnotationTest, ARectangleChangesOnlyItsOutlineAndUndoGivesTheScreenBack) {
  Arm(ToolKind::Rectangle);
  EXPECT_EQ(Session().annotations.Armed(), ToolKind::Rectangle);
  Click(300, 300);
  EXPECT_TRUE(Session().annotations.Kept().Empty()) << "a click draws nothing";
  EXPECT_EQ(State().SelectionRect, kSelection) << "and moves nothing";

  DrawThrough({{250, 200}, {300, 250}, {400, 300}});
  ASSERT_EQ(Session().annotations.Kept().Shapes().size(), 1u);
  EXPECT_EQ(State().SelectionRect, kSelection);
  EXPECT_TRUE(Red(Canvas(325, 200)));
  Key('Z', kControl);
  EXPECT_EQ(Canvas(325, 200), ScreenColour(325, 200)) << "Ctrl+Z";
  Key('Y', kControl);
  EXPECT_TRUE(Red(Canvas(325, 200))) << "Ctrl+Y";
  Key('Z', kControl);
  Key('Z', kControl | kShift);
  EXPECT_TRUE(Red(Canvas(325, 200))) << "Ctrl+Shift+Z";

  const ClipboardBitmap clip = Finish();
  EXPECT_EQ(CurrentSession(), nullptr) << "the layer ends with the capture";
  ASSERT_EQ(clip.width, 400);
  const std::vector<POINT> changed = Changed(clip);
  EXPECT_GT(changed.size(), 4 * 150u);
  for (const POINT& p : changed) {
    const bool onSide = (Near(p.x, 250, 3) || Near(p.x, 400, 3)) && p.y >= 197 && p.y <= 303;
    const bool onTopOrBottom = (Near(p.y, 200, 3) || Near(p.y, 300, 3)) && p.x >= 247 && p.x <= 403;
    ASSERT_TRUE(onSide || onTopOrBottom) << p.x << "," << p.y << " is off the outline";
  }
  for (POINT p : {POINT{325, 200}, POINT{325, 300}, POINT{250, 250}, POINT{400, 250}})
    EXPECT_EQ(At(clip, p.x, p.y), kRed) << p.x << "," << p.y;

  ASSERT_TRUE(TheOverlay().Load(false));
  Select(kSelection.left, kSelection.top, kSelection.right, kSelection.bottom);
  EXPECT_EQ(Session().annotations.Armed(), ToolKind::None) << "a capture starts with no tool armed";
  Arm(ToolKind::Rectangle);
  DrawThrough({{250, 200}, {400, 300}});
  ClickToolbar(kUndoDx);
  EXPECT_TRUE(Session().annotations.Kept().Empty());
  EXPECT_EQ(MismatchedPixels(Finish(), kSelection.left, kSelection.top), 0) << "undone: the screen exactly";
}

TEST_F(AnnotationTest, TheArrowsHeadIsAtTheReleaseEndAndTheBrushPassesThroughItsPoints) {
  Arm(ToolKind::Arrow);
  DrawThrough({{250, 400}, {350, 330}, {450, 250}});
  Arm(ToolKind::Brush);
  const std::vector<POINT> path{{260, 300}, {300, 220}, {340, 330}, {380, 200}, {420, 320}, {560, 180}};
  DrawThrough(path);
  ASSERT_EQ(Session().annotations.Kept().Shapes().size(), 2u);

  const ClipboardBitmap clip = Finish();
  // Across the arrow, 16 pixels in from either end: the shaft is as wide as the stroke, the head
  // widens towards its base.
  auto redAcross = [&](float x, float y) {
    int count = 0;
    for (int t = -15; t <= 15; ++t) count += At(clip, static_cast<int>(std::lround(x + 0.6f * t)),
                                                 static_cast<int>(std::lround(y + 0.8f * t))) == kRed;
    return count;
  };
  EXPECT_GT(redAcross(450 - 16 * 0.8f, 250 + 16 * 0.6f), 2 * redAcross(250 + 16 * 0.8f, 400 - 16 * 0.6f))
      << "the filled head at the release point";
  for (const POINT& p : path) EXPECT_EQ(At(clip, p.x, p.y), kRed) << p.x << "," << p.y;
}

TEST_F(AnnotationTest, ShapesStayWhereTheyWereDrawnOnTheScreenCutToTheSelection) {
  Arm(ToolKind::Ellipse);
  DrawThrough({{450, 200}, {700, 300}});  // reaches out of the selection
  Arm(ToolKind::Rectangle);
  DrawThrough({{500, 350}, {700, 420}});
  EXPECT_TRUE(Red(Canvas(550, 350)));
  EXPECT_TRUE(CloseTo(Canvas(650, 350), Dimmed(ScreenColour(650, 350)))) << "nothing drawn outside the selection";

  Arm(ToolKind::Rectangle);  // disarmed: a drag inside moves the selection again
  EXPECT_EQ(Session().annotations.Armed(), ToolKind::None);
  Drag(300, 300, 200, 300);
  const ScreenRect moved{150, 150, 550, 450};
  ASSERT_EQ(State().SelectionRect, moved);
  EXPECT_TRUE(Red(Canvas(500, 385))) << "the rectangle stayed at x 500";
  EXPECT_FALSE(Red(Canvas(450, 385)));
  MoveTo(5, 5);
  Key('Z', kControl);
  EXPECT_EQ(Canvas(500, 385), ScreenColour(500, 385));

  const ClipboardBitmap clip = Finish();
  ASSERT_EQ(clip.width, 400);
  int changedRight = 0;
  for (const POINT& p : Changed(clip, moved)) changedRight += p.x >= 450;
  EXPECT_GT(changedRight, 50) << "the ellipse's left part";
}

TEST_F(AnnotationTest, TypedTextChangesOnlyItsBox) {
  Arm(ToolKind::Text);
  Click(260, 220);
  ASSERT_TRUE(Session().annotations.Tool()->Typing());
  Type(L"Hi Q");
  Key(VK_BACK);
  Type(L"\u4E2D\u6587");
  Key(VK_RETURN);
  Type(L"\U00020BB7y");  // a pair of UTF-16 units
  Key(VK_LEFT);
  Key(VK_BACK);  // the pair as one
  Type(L"x");
  Key(VK_RIGHT);
  EXPECT_EQ(State().SelectionRect, kSelection) << "the arrows move the caret, not the selection";
  const std::wstring text = L"Hi \u4E2D\u6587\nxy";
  const RECT box = TextNoteBounds(TextNote{{260, 220}, text, ChosenStyle()});
  EXPECT_NE(Canvas(box.left + 6, box.top + 10), ScreenColour(box.left + 6, box.top + 10)) << "shown while typing";

  const ScreenRect bar = State().StyleBarRect;
  Click(bar.left + 200, bar.top + 12);  // blue, for the open box
  ASSERT_TRUE(Session().annotations.Tool()->Typing());

  const ClipboardBitmap clip = Finish();  // keeps the open box
  const std::vector<POINT> changed = Changed(clip);
  ASSERT_GT(changed.size(), 50u);
  EXPECT_GT(std::count_if(changed.begin(), changed.end(), [&](POINT p) { return At(clip, p.x, p.y) == kBlue; }), 30);
  const float chineseFrom = 260 + TextLayout(ChosenStyle()).Width(L"Hi ");
  int chinese = 0, secondLine = 0;
  for (const POINT& p : changed) {
    ASSERT_TRUE(p.x >= box.left && p.x < box.right && p.y >= box.top && p.y < box.bottom) << p.x << "," << p.y;
    chinese += p.x > chineseFrom && p.y < 220 + TextLayout(ChosenStyle()).LineHeight();
    secondLine += p.y > 220 + TextLayout(ChosenStyle()).LineHeight();
  }
  EXPECT_GT(chinese, 30);
  EXPECT_GT(secondLine, 10);
}

TEST_F(AnnotationTest, TextFromAnInputMethodArrivesOnce) {
  Arm(ToolKind::Text);
  Click(260, 220);
  // Handed on, the window's own procedure would make a WM_CHAR of it as well.
  SendMessageW(Overlay(), WM_IME_CHAR, 0x4E2D, 1);
  Type(L"a");
  PumpPendingMessages();
  Session().annotations.KeepOpenWork();
  ASSERT_EQ(Session().annotations.Kept().Shapes().size(), 1u);
  EXPECT_EQ(std::get<TextNote>(Session().annotations.Kept().Shapes()[0]).text, L"\u4E2Da");
}

TEST_F(AnnotationTest, EscDropsTheTextBoxAndThenCancels) {
  Arm(ToolKind::Text);
  Click(260, 220);
  Type(L"x");
  Key(VK_ESCAPE);
  ASSERT_TRUE(TheOverlay().IsLoaded());
  EXPECT_FALSE(Session().annotations.Tool()->Typing());
  EXPECT_TRUE(Session().annotations.Kept().Empty());
  Key(VK_ESCAPE);
  EXPECT_FALSE(TheOverlay().IsLoaded());
}

TEST_F(AnnotationTest, TheStyleBarChoosesSizeAndColourForAsLongAsTheProgramRuns) {
  EXPECT_EQ(State().StyleBarRect, ScreenRect{}) << "no bar without a tool";
  Arm(ToolKind::Rectangle);
  const ScreenRect toolbar = State().ToolbarRect, bar = State().StyleBarRect;
  EXPECT_EQ(bar.left, toolbar.left);
  EXPECT_EQ(bar.top, toolbar.bottom + 2) << "right under the toolbar";
  Click(bar.left + 69, bar.top + 12);   // the large size
  Click(bar.left + 200, bar.top + 12);  // blue
  EXPECT_EQ(State().zone, HitZone::Toolbar);
  EXPECT_EQ(State().SelectionRect, kSelection);
  EXPECT_TRUE(Session().annotations.Kept().Empty());

  auto blueRows = [&] {
    int rows = 0;
    for (int y = 190; y <= 210; ++y) rows += Canvas(325, y) == RGB(0, 0x60, 0xFF);
    return rows;
  };
  DrawThrough({{250, 200}, {400, 300}});
  EXPECT_EQ(blueRows(), 6) << "a 6-pixel stroke";
  KeyEscape();

  ASSERT_TRUE(TheOverlay().Load(false));
  Select(kSelection.left, kSelection.top, kSelection.right, kSelection.bottom);
  Arm(ToolKind::Rectangle);
  DrawThrough({{250, 200}, {400, 300}});
  EXPECT_EQ(blueRows(), 6) << "the choice outlives the capture";
  EXPECT_EQ(At(Finish(), 250, 250), kBlue);
}

TEST_F(AnnotationTest, MenuRowsArmUndoAndHideTheTools) {
  auto chooseRow = [&](int dy) {
    RightClick(400, 300);
    ASSERT_EQ(State().menuShown, 1);
    const ScreenRect menu = State().MenuRect;
    Click(menu.left + 60, menu.top + dy);
    EXPECT_EQ(State().menuShown, 0) << "row at " << dy;
  };
  chooseRow(35);  // ellipse
  EXPECT_EQ(Session().annotations.Armed(), ToolKind::Ellipse);
  DrawThrough({{250, 200}, {400, 300}});
  ASSERT_EQ(Session().annotations.Kept().Shapes().size(), 1u);
  chooseRow(123);  // undo
  EXPECT_TRUE(Session().annotations.Kept().Empty());

  const ScreenRect toolbar = State().ToolbarRect;
  chooseRow(241);  // hide the tools
  EXPECT_EQ(State().ToolbarRect, ScreenRect{});
  EXPECT_EQ(State().StyleBarRect, ScreenRect{});
  EXPECT_TRUE(CloseTo(Canvas(toolbar.left + 8, toolbar.top + 12), Dimmed(ScreenColour(toolbar.left + 8, toolbar.top + 12))));
  Click(toolbar.left + 17 + 26, toolbar.top + 12);  // where the ellipse button was
  EXPECT_EQ(Session().annotations.Armed(), ToolKind::Ellipse) << "no hit zone left";
  chooseRow(241);
  EXPECT_EQ(State().ToolbarRect, toolbar) << "chosen again: shown";

  chooseRow(241);
  Drag(kSelection.right, kSelection.bottom, 610, 460);  // a resize's release brings them back
  EXPECT_NE(State().ToolbarRect, ScreenRect{});
}

TEST_F(AnnotationTest, AResetDropsTheAnnotationsAndTheTool) {
  Arm(ToolKind::Brush);
  DrawThrough({{250, 200}, {300, 260}, {400, 300}});
  ASSERT_NE(Session().annotations.Layer(), nullptr);
  RightClick(5, 5);
  ASSERT_TRUE(TheOverlay().IsLoaded());
  EXPECT_EQ(Session().annotations.Armed(), ToolKind::None);
  EXPECT_TRUE(Session().annotations.Kept().Empty());
  EXPECT_EQ(Session().annotations.Layer(), nullptr) << "the layer's memory goes with them";

  Select(kSelection.left, kSelection.top, kSelection.right, kSelection.bottom);
  MoveTo(300, 300);
  Send(WM_LBUTTONDBLCLK, 300, 300, MK_LBUTTON);
  EXPECT_EQ(MismatchedPixels(ReadClipboard(), kSelection.left, kSelection.top), 0);
}

TEST(StyleBarPlacement, UnderTheToolbarAwayFromTheSelectionWhereThereIsRoom) {
  const ScreenRect below{171, 406, 500, 434}, selection{100, 100, 500, 400};
  EXPECT_EQ(PlaceStyleBar(below, selection, 329, 28, 800, 600), (ScreenRect{171, 436, 500, 464}));
  EXPECT_EQ(PlaceStyleBar(below, selection, 329, 28, 800, 460).top, 376) << "no room under: above";
  const ScreenRect above{171, 268, 500, 296};
  EXPECT_EQ(PlaceStyleBar(above, ScreenRect{100, 300, 500, 600}, 329, 28, 800, 600).top, 238)
      << "a toolbar over the selection gets the bar over it, not on the selection";
  EXPECT_EQ(PlaceStyleBar(ScreenRect{600, 406, 929, 434}, selection, 329, 28, 800, 600).left, 466) << "kept on the screen";
}
