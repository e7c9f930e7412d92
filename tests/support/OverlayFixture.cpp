#include "support/OverlayFixture.h"

#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "app/desktop/Desktop.h"
#include "app/desktop/ScreenGrab.h"
#include "app/input/Commands.h"
#include "app/process/CaptureOverlay.h"

COLORREF ScreenColour(int x, int y) {
  return RGB(40 + x % 200, 30 + y % 210, 60 + (x * 3 + y * 5) % 190);
}

Bytes SyntheticScreen(int width, int height) {
  const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * height);
  Bytes bytes(file.bfSize);
  std::memcpy(bytes.data(), &file, sizeof file);
  std::memcpy(bytes.data() + sizeof file, &info, sizeof info);
  for (int y = 0; y < height; ++y) {
    uint8_t* row = bytes.data() + file.bfOffBits + stride * static_cast<size_t>(height - 1 - y);
    for (int x = 0; x < width; ++x) {
      const COLORREF c = ScreenColour(x, y);
      row[x * 3] = GetBValue(c);
      row[x * 3 + 1] = GetGValue(c);
      row[x * 3 + 2] = GetRValue(c);
    }
  }
  return bytes;
}

COLORREF Dimmed(COLORREF c) {
  return RGB(GetRValue(c) * 127 / 255, GetGValue(c) * 127 / 255, GetBValue(c) * 127 / 255);
}

bool CloseTo(COLORREF a, COLORREF b, int tolerance) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

std::vector<std::uint32_t> BitmapPixels(HBITMAP bitmap, int& width, int& height) {
  BITMAP info{};
  GetObjectA(bitmap, sizeof info, &info);
  width = info.bmWidth;
  height = info.bmHeight;
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = -height;  // top row first
  header.biPlanes = 1;
  header.biBitCount = 32;
  std::vector<std::uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), reinterpret_cast<BITMAPINFO*>(&header),
            DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return pixels;
}

void OverlayTest::SetUp() {
  // A small screen keeps every full-screen blend and push cheap; the rules do not depend on it.
  OverrideScreenSize(SIZE{kTestScreenWidth, kTestScreenHeight});
  ScreenSnapshotSource = [] { return SyntheticScreen(ScreenWidth(), ScreenHeight()); };
  OverrideCursorPosition(POINT{5, 5});
  ASSERT_TRUE(TheOverlay().Load(false));
  ASSERT_TRUE(TheOverlay().IsLoaded());
}

void OverlayTest::TearDown() {
  if (TheOverlay().IsLoaded()) CancelCapture();
  OverrideCursorPosition(std::nullopt);
  OverrideScreenSize(std::nullopt);
  ScreenSnapshotSource = TakeScreenSnapshot;
}

HWND OverlayTest::Overlay() const { return TheOverlay().Handle(); }

void OverlayTest::Send(UINT message, int x, int y, WPARAM wParam) {
  OverrideCursorPosition(POINT{x, y});
  if (Overlay()) SendMessageA(Overlay(), message, wParam, MAKELPARAM(x, y));
}

void OverlayTest::RightClick(int x, int y) {
  Send(WM_RBUTTONDOWN, x, y, MK_RBUTTON);
  Send(WM_RBUTTONUP, x, y);
}

void OverlayTest::KeyEscape() {
  if (Overlay()) SendMessageA(Overlay(), WM_KEYDOWN, VK_ESCAPE, 0);
}

void OverlayTest::Key(WPARAM key, int modifiers) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  const BYTE before[2] = {keys[VK_CONTROL], keys[VK_SHIFT]};
  keys[VK_CONTROL] = (modifiers & kControl) ? 0x80 : 0;
  keys[VK_SHIFT] = (modifiers & kShift) ? 0x80 : 0;
  SetKeyboardState(keys);
  if (Overlay()) SendMessageA(Overlay(), WM_KEYDOWN, key, 1);
  keys[VK_CONTROL] = before[0];
  keys[VK_SHIFT] = before[1];
  SetKeyboardState(keys);
}

void OverlayTest::Type(const std::wstring& text) {
  for (wchar_t unit : text)
    if (Overlay()) SendMessageW(Overlay(), WM_CHAR, unit, 1);
}

void OverlayTest::Drag(int x1, int y1, int x2, int y2) {
  MoveTo(x1, y1);
  Press(x1, y1);
  MoveTo((x1 + x2) / 2, (y1 + y2) / 2);
  MoveTo(x2, y2);
  Release(x2, y2);
}

void OverlayTest::Select(int left, int top, int right, int bottom) {
  Drag(left, top, right, bottom);
  MoveTo(5, 5);
}

COLORREF OverlayTest::Canvas(int x, int y) const { return Session().OverlayCanvas.GetSurfacePixel(x, y); }

std::vector<std::uint32_t> CanvasBytes() {
  GdiFlush();
  HBITMAP bitmap = static_cast<HBITMAP>(GetCurrentObject(Session().OverlayCanvas.GetSurfaceDC(), OBJ_BITMAP));
  DIBSECTION dib{};
  if (GetObjectA(bitmap, sizeof dib, &dib) != sizeof dib || !dib.dsBm.bmBits) return {};
  const auto* first = static_cast<const std::uint32_t*>(dib.dsBm.bmBits);
  return std::vector<std::uint32_t>(first, first + static_cast<size_t>(dib.dsBm.bmWidth) * static_cast<size_t>(dib.dsBm.bmHeight));
}

CaptureFacts FactsOf(const CaptureSession* session) {
  CaptureFacts facts;
  if (!session) return facts;
  const CaptureState& state = session->state;
  facts.SelectionRect = state.SelectionRect;
  facts.ToolbarRect = state.ToolbarRect;
  facts.ToolsBoxRect = state.ToolsBoxRect;
  facts.StyleBarRect = state.StyleBarRect;
  facts.MenuRect = state.MenuRect;
  facts.mode = state.DragMode();
  facts.zone = state.zone;
  facts.selectionMade = state.SelectionMade();
  facts.buttonDown = state.ButtonDown();
  facts.pressLocked = state.PressLocked();
  facts.menuShown = state.MenuShown();
  facts.skipNextRelease = state.SkipNextRelease();
  return facts;
}

CaptureSession& Session() {
  CaptureSession* session = CurrentSession();
  if (!session) throw std::logic_error("no capture is open");
  return *session;
}

OutputSource Output(const ScreenRect& selection) {
  return OutputSource{Session().FrozenLayer, Session().annotations.Layer(), selection};
}
