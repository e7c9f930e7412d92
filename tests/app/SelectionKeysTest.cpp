// Placing a selection to the pixel from the keyboard, and ending the capture by keys.

#include <fstream>
#include <iterator>

#include "app/process/CaptureOverlay.h"
#include "app/desktop/Desktop.h"
#include "app/input/SelectionKeys.h"
#include "gx/GxBitmap.h"
#include "app/input/Commands.h"
#include "support/ClipboardContents.h"
#include "support/DialogDriver.h"
#include "support/OverlayFixture.h"

class SelectionKeysTest : public OverlayTest {
 protected:
  void SetUp() override {
    ClearClipboard();
    OverlayTest::SetUp();
  }
  void Repeat(int times, WPARAM key, int modifiers = kNoModifiers) {
    for (int i = 0; i < times; ++i) Key(key, modifiers);
  }
  POINT Cursor() const { return CursorPosition(); }
};

TEST_F(SelectionKeysTest, ArrowsMoveThePointerAndDrawAsTheMouseDoes) {
  MoveTo(300, 200);
  Key(VK_RIGHT);
  Key(VK_DOWN, kShift);
  EXPECT_EQ(Cursor().x, 301);
  EXPECT_EQ(Cursor().y, 210);
  const auto byKeys = CanvasBytes();
  MoveTo(301, 210);
  EXPECT_EQ(CanvasBytes(), byKeys) << "the magnifier is where a mouse move puts it";

  Press(301, 210);
  Repeat(5, VK_RIGHT, kShift);
  Repeat(3, VK_DOWN);
  const auto drawnByKeys = CanvasBytes();
  MoveTo(351, 213);
  EXPECT_EQ(CanvasBytes(), drawnByKeys) << "the growing selection and the magnifier, as for the mouse";
  Release(351, 213);
  EXPECT_EQ(State().SelectionRect, (ScreenRect{301, 210, 351, 213}));

  ResetCapture();
  MoveTo(3, 595);
  Repeat(2, VK_LEFT, kShift);
  Repeat(2, VK_DOWN, kShift);
  EXPECT_EQ(Cursor().x, 0) << "the pointer stays on the screen";
  EXPECT_EQ(Cursor().y, kTestScreenHeight - 1);
}

TEST_F(SelectionKeysTest, ArrowsMoveTheSelectionUpToTheScreenEdges) {
  Select(100, 100, 300, 200);
  Key(VK_LEFT);
  Key(VK_DOWN, kShift);
  EXPECT_EQ(State().SelectionRect, (ScreenRect{99, 110, 299, 210}));
  EXPECT_EQ(State().ToolbarRect.top, 216) << "the toolbar follows, under the selection";
  EXPECT_EQ(Canvas(99, 150), RGB(0, 174, 255)) << "the frame at its new place";
  EXPECT_TRUE(CloseTo(Canvas(101, 205), ScreenColour(101, 205)));
  EXPECT_TRUE(CloseTo(Canvas(300, 150), Dimmed(ScreenColour(300, 150)))) << "the old place is dimmed again";
  EXPECT_TRUE(CloseTo(Canvas(250, 105), Dimmed(ScreenColour(250, 105))));

  Repeat(20, VK_LEFT, kShift);
  Repeat(20, VK_UP, kShift);
  EXPECT_EQ(State().SelectionRect, (ScreenRect{0, 0, 200, 100}));
  Repeat(70, VK_RIGHT, kShift);
  Repeat(60, VK_DOWN, kShift);
  EXPECT_EQ(State().SelectionRect, (ScreenRect{600, 500, 800, 600}));
  Key(VK_UP);
  EXPECT_EQ(State().SelectionRect, (ScreenRect{600, 499, 800, 599}));
}

TEST_F(SelectionKeysTest, ControlArrowsMoveTheRightAndBottomEdgesDownToTwoPixels) {
  Select(100, 100, 300, 200);
  Key(VK_RIGHT, kControl);
  Key(VK_DOWN, kControl | kShift);
  EXPECT_EQ(State().SelectionRect, (ScreenRect{100, 100, 301, 210}));
  Repeat(30, VK_LEFT, kControl | kShift);
  Repeat(30, VK_UP, kControl | kShift);
  EXPECT_EQ(State().SelectionRect, (ScreenRect{100, 100, 102, 102}));
  Repeat(80, VK_RIGHT, kControl | kShift);
  Repeat(60, VK_DOWN, kControl | kShift);
  EXPECT_EQ(State().SelectionRect, (ScreenRect{100, 100, 800, 600}));
}

TEST(SelectionKeyGeometry, ASelectionPartlyOffTheScreenGoesNoFurtherOff) {
  const ScreenRect hanging{-1, 10, 1, 20};
  EXPECT_EQ(MovedOnScreen(hanging, -1, 0, 800, 600), hanging);
  EXPECT_EQ(MovedOnScreen(hanging, 1, 0, 800, 600), (ScreenRect{0, 10, 2, 20}));
  EXPECT_EQ(StretchedOnScreen(ScreenRect{700, 10, 810, 20}, 1, 0, 800, 600), (ScreenRect{700, 10, 810, 20}));
  EXPECT_EQ(StretchedOnScreen(ScreenRect{700, 10, 810, 20}, -10, 0, 800, 600), (ScreenRect{700, 10, 800, 20}));
}

TEST_F(SelectionKeysTest, EnterAndControlCFinishTheMovedSelectionExactly) {
  Key(VK_RETURN);
  EXPECT_TRUE(TheOverlay().IsLoaded()) << "nothing to finish yet";
  Select(100, 100, 300, 200);
  Key(VK_RIGHT, kShift);
  Key(VK_RETURN);
  ClipboardBitmap clip = ReadClipboard();
  ASSERT_EQ(clip.width, 200);
  ASSERT_EQ(clip.height, 100);
  EXPECT_EQ(MismatchedPixels(clip, 110, 100), 0);
  EXPECT_FALSE(TheOverlay().IsLoaded());

  ClearClipboard();
  ASSERT_TRUE(TheOverlay().Load(false));
  Select(400, 300, 450, 340);
  Key(VK_DOWN, kControl);
  Key('C', kControl);
  clip = ReadClipboard();
  ASSERT_EQ(clip.width, 50);
  ASSERT_EQ(clip.height, 41);
  EXPECT_EQ(MismatchedPixels(clip, 400, 300), 0);
}

TEST_F(SelectionKeysTest, ControlSSavesTheSelection) {
  TempDir directory;
  Select(100, 100, 160, 140);
  Key(VK_UP, kShift);
  DialogDriver driver([&](HWND dialog) {
    TypeFileName(dialog, directory.Path() + "keys.png");
    PressButton(dialog, IDOK);
  });
  Key('S', kControl);
  ASSERT_TRUE(driver.Finish());
  std::ifstream file(directory.Path() + "keys.png", std::ios::binary);
  const Bytes bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  GxBitmap saved;
  ASSERT_TRUE(saved.LoadFromBytes(bytes));
  EXPECT_EQ(saved.GetWidth(), 60);
  EXPECT_EQ(saved.GetHeight(), 40);
  const COLORREF first = ScreenColour(100, 90);
  EXPECT_EQ(saved.GetPixel(0, 0) & 0xFFFFFF,
            static_cast<unsigned>(GetRValue(first) << 16 | GetGValue(first) << 8 | GetBValue(first)));
  EXPECT_FALSE(TheOverlay().IsLoaded());
}

TEST_F(SelectionKeysTest, TheRealPointerMovesWhenNoCursorIsFixed) {
  OverrideCursorPosition(std::nullopt);
  SetCursorPos(300, 200);
  Key(VK_LEFT, kShift);
  POINT real{};
  GetCursorPos(&real);
  EXPECT_EQ(real.x, 290);
  EXPECT_EQ(real.y, 200);
  EXPECT_EQ(CursorPosition().x, 290) << "the message's position gives way to where the key put the pointer";
}
