#include "support/TestWindow.h"

namespace {

void RegisterOnce(const wchar_t* className) {
  WNDCLASSW existing{};
  if (GetClassInfoW(GetModuleHandleW(nullptr), className, &existing)) return;
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = className;
  RegisterClassW(&windowClass);
}

}  // namespace

TestWindow::TestWindow(int x, int y, int width, int height, const wchar_t* className) {
  RegisterOnce(className);
  window_ = CreateWindowExW(WS_EX_TOOLWINDOW, className, L"", WS_POPUP | WS_VISIBLE, x, y, width, height, nullptr,
                            nullptr, GetModuleHandleW(nullptr), nullptr);
  SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

TestWindow::TestWindow(const TestWindow& parent, int x, int y, int width, int height) {
  RegisterOnce(L"ScreenCutTestWindow");
  window_ = CreateWindowExW(0, L"ScreenCutTestWindow", L"", WS_CHILD | WS_VISIBLE, x, y, width, height, parent.Handle(),
                            nullptr, GetModuleHandleW(nullptr), nullptr);
}

TestWindow::~TestWindow() {
  if (window_) DestroyWindow(window_);
}
