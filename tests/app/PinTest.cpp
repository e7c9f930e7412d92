// Pinned captures: F3 floats the selection's own pixels where they were taken; the wheel zooms
// and fades a pin within its limits; closing every pin gives back what the pins held.

#include <algorithm>
#include <cstdio>

#include "app/input/Commands.h"
#include "app/pin/PinBoard.h"
#include "app/pin/PinWindow.h"
#include "app/pin/PinZoom.h"
#include "app/process/CaptureOverlay.h"
#include "support/ClipboardContents.h"
#include "support/OverlayFixture.h"
#include "support/ResourceCounters.h"

namespace {

constexpr int kBorder = PinWindow::kBorder;

// Image pixels of the pin's surface that differ from the synthetic screen at `from`.
int MismatchedPinPixels(const PinWindow& pin, POINT from) {
  const ScreenRect place = pin.ImagePlace();
  int wrong = 0;
  for (int y = 0; y < place.Height(); ++y)
    for (int x = 0; x < place.Width(); ++x)
      wrong += pin.Canvas().GetSurfacePixel(x + kBorder, y + kBorder) != ScreenColour(from.x + x, from.y + y);
  return wrong;
}

void HandleWaitingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

// Whether every channel of `shown` lies within those of the screen's pixels around (x, y) (give
// or take a little): what smooth scaling makes of the middle of a source pixel.
bool AmongNeighbours(COLORREF shown, int x, int y) {
  const int channels[3] = {GetRValue(shown), GetGValue(shown), GetBValue(shown)};
  for (int channel = 0; channel < 3; ++channel) {
    int low = 255, high = 0;
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx) {
        const COLORREF around = ScreenColour(x + dx, y + dy);
        const int value = channel == 0 ? GetRValue(around) : channel == 1 ? GetGValue(around) : GetBValue(around);
        low = std::min(low, value);
        high = std::max(high, value);
      }
    if (channels[channel] < low - 3 || channels[channel] > high + 3) return false;
  }
  return true;
}

LPARAM ScreenPoint(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

void Wheel(const PinWindow& pin, int notches, POINT at, WPARAM keys = 0) {
  SendMessageW(pin.Window(), WM_MOUSEWHEEL, MAKEWPARAM(keys, notches * WHEEL_DELTA), ScreenPoint(at.x, at.y));
}

}  // namespace

class PinTest : public OverlayTest {
 protected:
  void TearDown() override {
    Pins().CloseAll();
    OverlayTest::TearDown();
  }
  // Selects and pins (left, top, right, bottom) of a new capture; the last pin.
  PinWindow& PinSelection(int left, int top, int right, int bottom) {
    if (!TheOverlay().IsLoaded()) {
      EXPECT_TRUE(TheOverlay().Load(false));
    }
    Select(left, top, right, bottom);
    Key(VK_F3);
    EXPECT_FALSE(TheOverlay().IsLoaded()) << "pinning ends the capture";
    EXPECT_GT(Pins().Count(), 0u);
    return Pins().At(Pins().Count() - 1);
  }
};

TEST_F(PinTest, F3PinsTheSelectionsOwnPixelsWhereTheyWereTaken) {
  ASSERT_TRUE(PutClipboardText("kept"));
  PinWindow& pin = PinSelection(200, 150, 330, 240);
  EXPECT_EQ(pin.ImagePlace(), (ScreenRect{200, 150, 330, 240}));
  RECT window{};
  GetWindowRect(pin.Window(), &window);
  EXPECT_EQ(ScreenRect::FromRect(window), (ScreenRect{199, 149, 331, 241})) << "the border lies outside the image";
  EXPECT_TRUE(GetWindowLongW(pin.Window(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(MismatchedPinPixels(pin, POINT{200, 150}), 0);
  EXPECT_EQ(pin.Canvas().GetSurfacePixel(0, 0), RGB(0, 0xAE, 0xFF));
  EXPECT_EQ(ClipboardText(), "kept") << "pinning leaves the clipboard alone";

  // The pin's copy is the finish's output: exactly the selected pixels.
  ASSERT_EQ(pin.Copy(), ClipboardResult::Copied);
  const ClipboardBitmap clip = ReadClipboard();
  ASSERT_EQ(clip.width, 130);
  ASSERT_EQ(clip.height, 90);
  EXPECT_EQ(MismatchedPixels(clip, 200, 150), 0);

  // A drag moves the pin and nothing else.
  SendMessageW(pin.Window(), WM_LBUTTONDOWN, MK_LBUTTON, ScreenPoint(10, 10));
  SendMessageW(pin.Window(), WM_MOUSEMOVE, MK_LBUTTON, ScreenPoint(60, -20));
  SendMessageW(pin.Window(), WM_LBUTTONUP, 0, ScreenPoint(60, -20));
  EXPECT_EQ(pin.ImagePlace(), (ScreenRect{250, 120, 380, 210}));
  EXPECT_EQ(MismatchedPinPixels(pin, POINT{200, 150}), 0);
}

TEST_F(PinTest, TheMenusPinRowPinsTheSelectionUnderTheMenu) {
  Select(200, 150, 330, 240);
  RightClick(250, 200);  // the menu opens over the selection's lower right part
  const ScreenRect menu = State().MenuRect;
  MoveTo(menu.left + 60, menu.top + 215);
  EXPECT_EQ(Canvas(menu.left + 140, menu.top + 215), RGB(175, 229, 255)) << "the row lights up";
  Press(menu.left + 60, menu.top + 215);
  EXPECT_FALSE(TheOverlay().IsLoaded()) << "pinning ends the capture";
  ASSERT_EQ(Pins().Count(), 1u);
  const PinWindow& pin = Pins().At(0);
  EXPECT_EQ(pin.ImagePlace(), (ScreenRect{200, 150, 330, 240}));
  EXPECT_EQ(MismatchedPinPixels(pin, POINT{200, 150}), 0) << "the menu is no part of the pin";
}

TEST_F(PinTest, WheelZoomsAroundTheCursorAndCtrlWheelFadesWithinLimits) {
  PinWindow& pin = PinSelection(200, 150, 330, 240);
  const POINT anchor{250, 200};  // image pixel (50, 50)
  Wheel(pin, 1, anchor);
  EXPECT_EQ(pin.Zoom(), 125);
  Wheel(pin, 40, anchor);
  EXPECT_EQ(pin.Zoom(), kPinMaxZoom);
  EXPECT_EQ(pin.ImagePlace(), (ScreenRect{250 - 400, 200 - 400, 250 - 400 + 1040, 200 - 400 + 720}));
  RECT window{};
  GetWindowRect(pin.Window(), &window);
  EXPECT_EQ(window.right - window.left, 1040 + 2 * kBorder);
  // Smooth scaling: every shown pixel comes from near its source pixel, none is left blank.
  for (int row = 1; row < 90; row += 11)
    for (int column = 1; column < 130; column += 13)
      EXPECT_TRUE(AmongNeighbours(pin.Canvas().GetSurfacePixel(8 * column + 4 + kBorder, 8 * row + 4 + kBorder),
                                  200 + column, 150 + row))
          << column << "," << row;

  Wheel(pin, -60, anchor);
  EXPECT_EQ(pin.Zoom(), kPinMinZoom);
  EXPECT_EQ(pin.ImagePlace().Width(), 13);
  pin.ResetZoom();
  EXPECT_EQ(pin.Zoom(), 100);
  EXPECT_EQ(MismatchedPinPixels(pin, POINT{200, 150}), 0) << "back at 100 % the pixels are exact again";

  Wheel(pin, -20, anchor, MK_CONTROL);
  EXPECT_EQ(pin.Opacity(), kPinMinOpacity);
  EXPECT_EQ(pin.Canvas().GetCanvasAlpha(), 51);
  EXPECT_EQ(pin.Zoom(), 100) << "Ctrl+wheel fades, it does not zoom";
  Wheel(pin, 20, anchor, MK_CONTROL);
  EXPECT_EQ(pin.Canvas().GetCanvasAlpha(), 255);

  // A large pin stops growing before its surface could exhaust the process.
  EXPECT_LE(static_cast<long long>(ShownLength(4000, LargestZoom(4000, 3000))) * ShownLength(3000, LargestZoom(4000, 3000)),
            kPinMaxShownPixels);
  EXPECT_EQ(SteppedZoom(100, 40, 7680, 4320), 100);
}

TEST_F(PinTest, ClosingEveryPinGivesBackWhatThePinsHeld) {
  // The system keeps what it first makes for as many windows at once (Wine's cached window
  // DCs): a first round of as many pins makes it, the counts after the second must not grow.
  PinSelection(100, 100, 300, 250);
  Wheel(PinSelection(400, 300, 700, 500), 3, POINT{500, 400});
  PinSelection(50, 400, 150, 580);
  Pins().CloseAll();
  HandleWaitingMessages();
  const ResourceLevels before = MeasureResources();

  PinWindow& first = PinSelection(100, 100, 300, 250);
  PinWindow& second = PinSelection(400, 300, 700, 500);
  PinSelection(50, 400, 150, 580);
  ASSERT_EQ(Pins().Count(), 3u);
  EXPECT_EQ(MismatchedPinPixels(first, POINT{100, 100}), 0) << "each pin keeps its own image";
  Wheel(second, 3, POINT{500, 400});
  SendMessageW(first.Window(), WM_KEYDOWN, VK_ESCAPE, 0);
  HandleWaitingMessages();
  ASSERT_EQ(Pins().Count(), 2u) << "Esc closes the pin";
  SendMessageW(second.Window(), WM_LBUTTONDBLCLK, MK_LBUTTON, ScreenPoint(5, 5));
  HandleWaitingMessages();
  ASSERT_EQ(Pins().Count(), 1u) << "a double click closes the pin";
  Pins().At(0).Close();
  HandleWaitingMessages();
  ASSERT_EQ(Pins().Count(), 0u);

  const ResourceLevels after = MeasureResources();
  std::printf("GDI %lld -> %lld (%s); USER %lld -> %lld (%s)\n", static_cast<long long>(before.gdiObjects),
              static_cast<long long>(after.gdiObjects), ResourceCounters().gdiSource.c_str(),
              static_cast<long long>(before.userObjects), static_cast<long long>(after.userObjects),
              ResourceCounters().userSource.c_str());
  if (before.gdiObjects >= 0) {
    EXPECT_EQ(after.gdiObjects, before.gdiObjects);
  }
  if (before.userObjects >= 0) {
    EXPECT_EQ(after.userObjects, before.userObjects);
  }
  EXPECT_TRUE(before.gdiObjects >= 0 || before.userObjects >= 0) << "nothing could be counted here";
}
