#pragma once
// A plain white top-level window for tests, destroyed with its owner. Its class procedure counts
// the messages it receives and answers kClassAnswer to kProbe, so a test can tell whether a
// message reached the window's original procedure.

#include <windows.h>

inline constexpr UINT kProbe = WM_APP + 7;
inline constexpr LRESULT kClassAnswer = 1000;

class TestWindow {
 public:
  explicit TestWindow(int width = 120, int height = 80, DWORD exStyle = 0, int left = 40, int top = 30) {
    RegisterOnce();
    window_ = CreateWindowExW(exStyle, kClassName, L"test", WS_POPUP, left, top, width, height, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  }
  ~TestWindow() {
    if (window_) DestroyWindow(window_);
  }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND Handle() const { return window_; }
  static WNDPROC ClassProcedure() { return &Procedure; }
  // Number of kProbe messages any test window's class procedure has seen.
  static int& ProbesSeen() {
    static int count = 0;
    return count;
  }

 private:
  static constexpr const wchar_t* kClassName = L"ScreenCutTestWindow";

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kProbe) {
      ++ProbesSeen();
      return kClassAnswer + static_cast<LRESULT>(wParam);
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  static void RegisterOnce() {
    WNDCLASSW existing{};
    if (GetClassInfoW(GetModuleHandleW(nullptr), kClassName, &existing)) return;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kClassName;
    RegisterClassW(&windowClass);
  }

  HWND window_ = nullptr;
};
