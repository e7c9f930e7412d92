// The toolbar, the context menu and the magnifier as the user sees them on the canvas.

#include <windows.h>
#include <commctrl.h>

#include <cwchar>
#include <vector>

#include "app/capture/CaptureSession.h"
#include "app/process/CaptureOverlay.h"
#include "app/desktop/Desktop.h"
#include "app/desktop/ScreenGrab.h"
#include "output/ContextMenu.h"
#include "support/OverlayFixture.h"

namespace {

const COLORREF kBoxFill = RGB(222, 238, 255);
const COLORREF kHighlightFill = RGB(175, 229, 255);

}  // namespace

TEST_F(OverlayTest, TheToolbarSitsUnderTheSelectionAndHighlightsOnHover) {
  Select(400, 300, 600, 500);
  const ScreenRect toolbar = State().ToolbarRect;
  EXPECT_EQ(toolbar, (ScreenRect{600 - 329, 506, 600, 506 + 28}));
  EXPECT_EQ(Canvas(toolbar.left + 30, toolbar.top + 12), kBoxFill) << "a gap between buttons";
  EXPECT_EQ(Canvas(toolbar.left + 8, toolbar.top + 12), kBoxFill);

  MoveTo(toolbar.left + 15, toolbar.top + 12);  // over the rectangle tool
  EXPECT_EQ(State().zone, HitZone::Toolbar);
  EXPECT_EQ(Canvas(toolbar.left + 8, toolbar.top + 12), kHighlightFill);
  EXPECT_EQ(Canvas(toolbar.left + 30, toolbar.top + 12), kBoxFill);

  MoveTo(toolbar.left + 30, toolbar.top + 12);  // between two buttons: no highlight
  EXPECT_EQ(Canvas(toolbar.left + 8, toolbar.top + 12), kBoxFill);
}

TEST_F(OverlayTest, ToolButtonsOnlyHighlight) {
  Select(400, 300, 600, 500);
  const ScreenRect toolbar = State().ToolbarRect;
  for (int dx : {15, 40, 70, 95, 120, 150}) {
    MoveTo(toolbar.left + dx, toolbar.top + 12);
    Press(toolbar.left + dx, toolbar.top + 12);
    Release(toolbar.left + dx, toolbar.top + 12);
    ASSERT_TRUE(TheOverlay().IsLoaded()) << "dx " << dx;
    EXPECT_EQ(State().SelectionRect, (ScreenRect{400, 300, 600, 500})) << "dx " << dx;
    EXPECT_EQ(State().menuShown, 0);
  }
}

TEST_F(OverlayTest, TheCancelButtonEndsTheCapture) {
  Select(400, 300, 600, 500);
  const ScreenRect toolbar = State().ToolbarRect;
  MoveTo(toolbar.left + 250, toolbar.top + 12);
  Press(toolbar.left + 250, toolbar.top + 12);
  EXPECT_FALSE(TheOverlay().IsLoaded());
}

TEST_F(OverlayTest, TheMenuHighlightsTheRowUnderTheCursor) {
  Select(400, 100, 600, 300);
  RightClick(450, 150);
  const ScreenRect menu = State().MenuRect;
  EXPECT_EQ(menu, (ScreenRect{454, 154, 454 + 155, 154 + 278}));
  // The artwork carries the rows the hit test knows (a stale image would light the wrong text).
  EXPECT_EQ(Session().images.MenuImage()->GetHeight(), kMenuSurfaceHeight - 6);
  const int x = menu.left + 140, y = menu.top + 35;  // row 2, right of its text
  EXPECT_EQ(Canvas(x, y), RGB(255, 255, 255)) << "no highlight yet";
  MoveTo(menu.left + 60, menu.top + 30);
  EXPECT_EQ(State().zone, HitZone::Menu);
  EXPECT_NE(Canvas(x, y), RGB(255, 255, 255)) << "row 2 highlighted";
  EXPECT_EQ(Canvas(x, menu.top + 60), RGB(255, 255, 255)) << "row 3 not";

  Press(menu.left + 60, menu.top + 10);  // row 1: arms the rectangle tool and closes the menu
  Release(menu.left + 60, menu.top + 10);
  EXPECT_TRUE(TheOverlay().IsLoaded());
  EXPECT_EQ(State().menuShown, 0);

  RightClick(450, 150);
  ASSERT_EQ(State().MenuRect, menu);
  MoveTo(menu.left + 60, menu.top + 263);
  Press(menu.left + 60, menu.top + 263);  // row 12: leave
  EXPECT_FALSE(TheOverlay().IsLoaded());
}

TEST_F(OverlayTest, TheMagnifierShowsTheZoomedScreenAndCrosshair) {
  MoveTo(300, 300);
  const int px = 305, py = 325;  // panel origin for this cursor
  // A zoomed pixel near the zoom's top-left corner comes from about (287, 290).
  const COLORREF zoomed = Canvas(px + 10, py + 10);
  bool fromNeighbourhood = false;
  for (int sy = 288; sy <= 292; ++sy)
    for (int sx = 285; sx <= 289; ++sx) fromNeighbourhood |= zoomed == ScreenColour(sx, sy);
  EXPECT_TRUE(fromNeighbourhood) << std::hex << zoomed;
  // The crosshair is blue at alpha 200 over the zoom.
  const COLORREF cross = Canvas(px + 100, py + 44);
  EXPECT_GT(GetBValue(cross), 140);
  EXPECT_LT(GetRValue(cross), 60);
  // Away from the panel the screen is only dimmed.
  EXPECT_TRUE(CloseTo(Canvas(px + 200, py + 44), Dimmed(ScreenColour(px + 200, py + 44))));
}

namespace {

// The text of the tooltip over a point of the overlay; empty where there is none.
std::wstring TipAt(int x, int y) {
  const HWND control = Session().tips.Control();
  if (!control) return L"";
  wchar_t text[80] = L"";
  TTHITTESTINFOW hit{};
  hit.hwnd = Session().Window();
  hit.pt = POINT{x, y};
  hit.ti.cbSize = TTTOOLINFOW_V2_SIZE;
  hit.ti.lpszText = text;
  if (!SendMessageW(control, TTM_HITTESTW, 0, reinterpret_cast<LPARAM>(&hit))) return L"";
  return text;
}

std::wstring ClipboardText() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) text = chars;
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

}  // namespace

TEST_F(OverlayTest, TheFurtherToolsHaveABoxBesideTheToolbarAndEveryButtonNamesItsKey) {
  Select(400, 300, 600, 500);
  const ScreenRect toolbar = State().ToolbarRect, box = State().ToolsBoxRect;
  EXPECT_EQ(toolbar, (ScreenRect{600 - 329, 506, 600, 506 + 28})) << "the ten buttons stay where they were";
  EXPECT_EQ(box, (ScreenRect{toolbar.left - 4 - 141, 506, toolbar.left - 4, 506 + 28}));
  const wchar_t keys[] = L"LHMBN";
  for (int i = 0; i < 5; ++i) {
    const int x = box.left + 17 + 26 * i, y = box.top + 12;
    MoveTo(x, y);
    EXPECT_EQ(State().zone, HitZone::Toolbar);
    EXPECT_EQ(Canvas(box.left + 8 + 26 * i, y), kHighlightFill) << "hovered " << i;
    EXPECT_NE(TipAt(x, y).find(std::wstring(L"(") + keys[i] + L")"), std::wstring::npos) << i;
    Press(x, y);
    Release(x, y);
    EXPECT_EQ(Session().annotations.Armed(), static_cast<ToolKind>(static_cast<int>(ToolKind::Line) + i));
    MoveTo(box.left + 30 + 26 * i, 200);  // away: the armed button stays lit, the one before does not
    EXPECT_EQ(Canvas(box.left + 8 + 26 * i, y), kHighlightFill) << "armed " << i;
    if (i > 0) {
      EXPECT_EQ(Canvas(box.left + 8 + 26 * (i - 1), y), kBoxFill) << "disarmed " << i - 1;
    }
    // Mosaic and blur take no colour: their style bar holds the sizes alone.
    const bool colours = i != 2 && i != 3;
    EXPECT_EQ(State().StyleBarRect.Width(), colours ? 329 : 86) << i;
    EXPECT_EQ(State().StyleBarRect.top, toolbar.bottom + 2);
  }
  EXPECT_EQ(TipAt(toolbar.left + 17, toolbar.top + 12), L"矩形 (R)");
  EXPECT_EQ(TipAt(toolbar.left + 294, toolbar.top + 12), L"完成截图 (Enter)");
  EXPECT_EQ(TipAt(toolbar.left + 30, toolbar.top + 12), L"") << "between two buttons";

  // Near the screen's left edge the box goes to the toolbar's right instead.
  KeyEscape();
  ASSERT_TRUE(TheOverlay().Load(false));
  Select(20, 300, 300, 500);
  EXPECT_EQ(State().ToolsBoxRect, (ScreenRect{5 + 329 + 4, 506, 5 + 329 + 4 + 141, 506 + 28}));
  EXPECT_EQ(TipAt(5 + 329 + 4 + 121, 518), L"序号 (N)");
}

// The screen pixel next to (x, y) whose colour the text names, in the form `format` gives it.
std::wstring NamedNeighbour(const std::wstring& text, int x, int y, const wchar_t* format) {
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx) {
      const COLORREF pixel = Session().FrozenLayer.GetSurfacePixel(x + dx, y + dy);
      wchar_t named[32];
      swprintf(named, 32, format, GetRValue(pixel), GetGValue(pixel), GetBValue(pixel));
      if (text == named) return named;
    }
  return L"none of the pixels around the cursor";
}

TEST_F(OverlayTest, CCopiesTheMagnifiersColourLineAndShiftSwitchesItBetweenRgbAndHex) {
  const auto ShiftAlone = [] {
    SendMessageW(Session().Window(), WM_KEYDOWN, VK_SHIFT, 1);
    SendMessageW(Session().Window(), WM_KEYUP, VK_SHIFT, 0xC0000001);
  };
  MoveTo(300, 300);
  std::vector<COLORREF> panel;
  for (int y = 325 + 104; y < 325 + 118; ++y)
    for (int x = 305 + 4; x < 305 + 120; ++x) panel.push_back(Canvas(x, y));
  Key('C');
  ASSERT_TRUE(TheOverlay().IsLoaded()) << "the capture stays open";
  const std::wstring rgb = ClipboardText();
  EXPECT_EQ(rgb, NamedNeighbour(rgb, 300, 300, L"RGB:(%d,%d,%d)"));
  ShiftAlone();
  std::vector<COLORREF> switched;
  for (int y = 325 + 104; y < 325 + 118; ++y)
    for (int x = 305 + 4; x < 305 + 120; ++x) switched.push_back(Canvas(x, y));
  EXPECT_NE(switched, panel) << "the line shows the other form";
  Key('C');
  const std::wstring hex = ClipboardText();
  EXPECT_EQ(hex, NamedNeighbour(hex, 300, 300, L"#%02X%02X%02X"));
  unsigned r = 0, g = 0, b = 0;
  ASSERT_EQ(swscanf(rgb.c_str(), L"RGB:(%u,%u,%u)", &r, &g, &b), 3);
  wchar_t same[32];
  swprintf(same, 32, L"#%02X%02X%02X", r, g, b);
  EXPECT_EQ(hex, same) << "both forms name the same pixel";
  ShiftAlone();
  std::vector<COLORREF> back;
  for (int y = 325 + 104; y < 325 + 118; ++y)
    for (int x = 305 + 4; x < 305 + 120; ++x) back.push_back(Canvas(x, y));
  EXPECT_EQ(back, panel) << "switched back, pixel for pixel";
  ASSERT_TRUE(TheOverlay().IsLoaded());
}
