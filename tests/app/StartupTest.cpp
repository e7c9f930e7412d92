#include <gtest/gtest.h>

#include <windows.h>

#include "app/process/CaptureHotKey.h"
#include "app/process/CaptureOverlay.h"
#include "app/desktop/Desktop.h"
#include "app/process/MainWindow.h"
#include "app/desktop/ScreenGrab.h"
#include "app/process/Startup.h"
#include "gx/GdiplusApi.h"

namespace {

int startupCalls = 0;
decltype(GdiplusApi::GdiplusStartup) realStartup = nullptr;

Gdiplus::Status WINAPI CountingStartup(ULONG_PTR* token, const Gdiplus::GdiplusStartupInput* input,
                                       Gdiplus::GdiplusStartupOutput* output) {
  ++startupCalls;
  return realStartup(token, input, output);
}

}  // namespace

TEST(Startup, StartingGdiplusTwiceStartsItOnce) {
  ASSERT_NE(GdiplusToken, 0u) << "the test entry starts GDI+";
  realStartup = GdiplusEntries().GdiplusStartup;
  GdiplusEntries().GdiplusStartup = &CountingStartup;
  EXPECT_TRUE(StartGdiplus());
  EXPECT_TRUE(StartGdiplus());
  GdiplusEntries().GdiplusStartup = realStartup;
  EXPECT_EQ(startupCalls, 0);
}

TEST(Startup, TextsUseUtf8CodePage) {
  EXPECT_EQ(GetACP(), 65001u) << "the manifest asks for the UTF-8 active code page";
}

TEST(MainWindowTest, CaptionButtonAndGeometryAsDesigned) {
  MainWindow& window = TheMainWindow();
  ASSERT_TRUE(window.Load(false));
  EXPECT_EQ(window.Caption(), "仿Vexo截图----Tarnel");
  EXPECT_EQ(window.Left(), 50);
  EXPECT_EQ(window.Top(), 50);
  EXPECT_EQ(window.Width(), 380);
  EXPECT_EQ(window.Height(), 250);

  char text[64] = {};
  GetWindowTextA(window.StartButton(), text, sizeof text);
  EXPECT_STREQ(text, "开始截图");
  RECT button{};
  GetWindowRect(window.StartButton(), &button);
  MapWindowPoints(nullptr, window.Handle(), reinterpret_cast<POINT*>(&button), 2);
  EXPECT_EQ(button.left, 128);
  EXPECT_EQ(button.top, 16);
  EXPECT_EQ(button.right - button.left, 112);
  EXPECT_EQ(button.bottom - button.top, 56);

  RECT picture{};
  GetWindowRect(window.Picture().Handle(), &picture);
  MapWindowPoints(nullptr, window.Handle(), reinterpret_cast<POINT*>(&picture), 2);
  EXPECT_EQ(picture.left, 80);
  EXPECT_EQ(picture.top, 96);
  EXPECT_EQ(picture.right - picture.left, 256);
  EXPECT_EQ(picture.bottom - picture.top, 120);

  BITMAP bitmap{};
  ASSERT_NE(window.Picture().Picture(), nullptr) << "the embedded picture decodes";
  GetObjectA(window.Picture().Picture(), sizeof bitmap, &bitmap);
  EXPECT_EQ(bitmap.bmWidth, 278);
  EXPECT_EQ(bitmap.bmHeight, 127);
}

namespace {

void CALLBACK PressEscapeOnOverlay(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  SendMessageA(TheOverlay().Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
}

}  // namespace

TEST(MainWindowTest, TheStartButtonOpensTheOverlayModallyAndGetsTheFocusBack) {
  MainWindow& window = TheMainWindow();
  ASSERT_TRUE(window.Load(false));
  OverrideScreenSize(SIZE{640, 480});
  ScreenSnapshotSource = [] { return Bytes(); };  // nothing to copy: the overlay shows black
  SetActiveWindow(window.Handle());
  SetTimer(nullptr, 0, 300, PressEscapeOnOverlay);
  SendMessageA(window.Handle(), WM_COMMAND, MAKEWPARAM(MainWindow::kStartButtonId, BN_CLICKED),
               reinterpret_cast<LPARAM>(window.StartButton()));  // returns when the overlay has closed
  ScreenSnapshotSource = TakeScreenSnapshot;
  OverrideScreenSize(std::nullopt);
  EXPECT_FALSE(TheOverlay().IsLoaded());
  EXPECT_TRUE(window.Visible());
  EXPECT_TRUE(IsWindowEnabled(window.Handle()));
  EXPECT_EQ(GetActiveWindow(), window.Handle()) << "closing the overlay hands activation back";
}

namespace {

bool overlayWasOpen = false;

void CALLBACK NoteAndLeaveOverlay(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  overlayWasOpen = TheOverlay().IsLoaded();
  SendMessageA(TheOverlay().Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
}

}  // namespace

TEST(MainWindowTest, TheMainWindowHoldsControlAltAWhichStartsACapture) {
  MainWindow& window = TheMainWindow();
  ASSERT_TRUE(window.Load(false));
  const bool taken = RegisterHotKey(nullptr, 77, MOD_CONTROL | MOD_ALT, 'A') == FALSE;
  if (!taken) UnregisterHotKey(nullptr, 77);
  EXPECT_TRUE(taken) << "the main window holds the combination";

  OverrideScreenSize(SIZE{640, 480});
  ScreenSnapshotSource = [] { return Bytes(); };
  SetTimer(nullptr, 0, 300, NoteAndLeaveOverlay);
  SendMessageA(window.Handle(), WM_HOTKEY, kCaptureHotKeyId, MAKELPARAM(MOD_CONTROL | MOD_ALT, 'A'));
  ScreenSnapshotSource = TakeScreenSnapshot;
  OverrideScreenSize(std::nullopt);
  EXPECT_TRUE(overlayWasOpen);
  EXPECT_FALSE(TheOverlay().IsLoaded());
}
