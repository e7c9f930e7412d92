#pragma once
// Opens the real overlay over a known synthetic screen and drives it with real messages, the
// cursor fixed where each message says it is.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/capture/CaptureSession.h"
#include "output/OutputImage.h"
#include "gx/GxTypes.h"

// A 24-bit BMP file whose every pixel is ScreenColour(x, y).
Bytes SyntheticScreen(int width, int height);
COLORREF ScreenColour(int x, int y);
// What the dimming makes of a colour: each channel at 127/255.
COLORREF Dimmed(COLORREF colour);
// True when the two colours differ by at most `tolerance` in every channel.
bool CloseTo(COLORREF a, COLORREF b, int tolerance = 1);

// The 32-bit pixels of a bitmap, top row first (0x00RRGGBB per pixel, as GetDIBits gives them).
std::vector<std::uint32_t> BitmapPixels(HBITMAP bitmap, int& width, int& height);

// Every byte of the overlay canvas, alpha included, straight from its DIB section.
std::vector<std::uint32_t> CanvasBytes();

// The facts of the open capture under the names tests have always read; all empty with no
// capture open.
struct CaptureFacts {
  ScreenRect SelectionRect, ToolbarRect, ToolsBoxRect, StyleBarRect, MenuRect;
  CaptureMode mode = CaptureMode::None;
  HitZone zone = HitZone::None;
  int selectionMade = 0, buttonDown = 0, pressLocked = 0, menuShown = 0, skipNextRelease = 0;
};
CaptureFacts FactsOf(const CaptureSession* session);

// The open capture's session; fails the test when there is none.
CaptureSession& Session();
// What finishing and saving would output for `selection` of the open capture.
OutputSource Output(const ScreenRect& selection);

// Modifiers held for a key sent with OverlayTest::Key.
enum KeyModifiers { kNoModifiers = 0, kControl = 1, kShift = 2 };

constexpr int kTestScreenWidth = 800;
constexpr int kTestScreenHeight = 600;

class OverlayTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  HWND Overlay() const;
  void Send(UINT message, int x, int y, WPARAM wParam = 0);
  void MoveTo(int x, int y) { Send(WM_MOUSEMOVE, x, y); }
  void Press(int x, int y) { Send(WM_LBUTTONDOWN, x, y, MK_LBUTTON); }
  void Release(int x, int y) { Send(WM_LBUTTONUP, x, y); }
  void RightClick(int x, int y);
  void KeyEscape();
  // A WM_KEYDOWN with the modifiers held as the thread's key state says.
  void Key(WPARAM key, int modifiers = kNoModifiers);
  // Characters as a Unicode window receives them, one UTF-16 code unit per WM_CHAR.
  void Type(const std::wstring& text);
  void Drag(int x1, int y1, int x2, int y2);
  // Draws a selection and moves the cursor away from it, so no hover state is left behind.
  void Select(int left, int top, int right, int bottom);
  COLORREF Canvas(int x, int y) const;
  CaptureFacts State() const { return FactsOf(CurrentSession()); }
};
