#include "support/TestWindow.h"

namespace {

void RegisterOnce(const char* className) {
  WNDCLASSA existing{};
  if (GetClassInfoA(GetModuleHandleA(nullptr), className, &existing)) return;
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = className;
  RegisterClassA(&windowClass);
}

}  // namespace

TestWindow::TestWindow(int x, int y, int width, int height, const char* className) {
  RegisterOnce(className);
  window_ = CreateWindowExA(WS_EX_TOOLWINDOW, className, "", WS_POPUP | WS_VISIBLE, x, y, width, height, nullptr,
                            nullptr, GetModuleHandleA(nullptr), nullptr);
  SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

TestWindow::TestWindow(const TestWindow& parent, int x, int y, int width, int height) {
  RegisterOnce("ScreenCutTestWindow");
  window_ = CreateWindowExA(0, "ScreenCutTestWindow", "", WS_CHILD | WS_VISIBLE, x, y, width, height, parent.Handle(),
                            nullptr, GetModuleHandleA(nullptr), nullptr);
}

TestWindow::~TestWindow() {
  if (window_) DestroyWindow(window_);
}
