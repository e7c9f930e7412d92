#include "win/Form.h"

#include <exception>
#include <utility>
#include <vector>

#include "gx/GxText.h"

Form::Form(FormDesign design) : design_(std::move(design)) {}

Form::~Form() {
  if (window_) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
}

bool Form::RegisterClassOnce() const {
  const std::wstring className = Utf8ToWide(design_.className);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (GetClassInfoExW(instance, className.c_str(), &existing)) return true;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = design_.classStyle;
  windowClass.lpfnWndProc = &Form::Procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = design_.background;
  windowClass.lpszClassName = className.c_str();
  windowClass.hIcon = LoadIcon(instance, MAKEINTRESOURCE(1));
  return RegisterClassExW(&windowClass) != 0;
}

bool Form::Create() {
  if (!RegisterClassOnce()) return false;
  // Created hidden: OnLoad must see the window before anything of it is on the screen.
  CreateWindowExW(design_.exStyle, Utf8ToWide(design_.className).c_str(), Utf8ToWide(design_.caption).c_str(),
                  design_.style & ~WS_VISIBLE, design_.left, design_.top, design_.width, design_.height, nullptr,
                  nullptr, GetModuleHandleW(nullptr), this);
  if (!window_) return false;
  OnLoad();
  return true;
}

bool Form::LoadHidden() { return window_ || Create(); }

bool Form::Load(bool modal) {
  if (window_) return true;
  if (!Create()) return false;
  if (!window_) return true;  // OnLoad closed the form again
  modal_ = modal;
  ShowWindow(window_, SW_SHOW);
  if (modal) {
    // The user's input is for this form now, even when it was opened while another program was
    // in front (from a hot key): shown alone, it would be active only within our program. Wine
    // moves the display's keyboard focus only when our focus changes, which it has not: shown,
    // the form took it already.
    SetForegroundWindow(window_);
    SetFocus(nullptr);
    SetFocus(window_);
    RunModalLoop();
  }
  return true;
}

namespace {

BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM list) {
  if (IsWindowEnabled(window) && IsWindowVisible(window))
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

}  // namespace

void Form::RunModalLoop() {
  std::vector<HWND> others;
  EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow, reinterpret_cast<LPARAM>(&others));
  for (HWND other : others)
    if (other != window_ && EnableWindow(other, FALSE) == 0) disabled_.push_back(other);
  MSG message;
  while (window_) {
    BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      PostQuitMessage(static_cast<int>(message.wParam));  // leave the quit for the outer loop
      break;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  modal_ = false;
  EnableDisabledWindows();
}

void Form::EnableDisabledWindows() {
  for (HWND other : disabled_)
    if (IsWindow(other)) EnableWindow(other, TRUE);
  disabled_.clear();
}

void Form::Close() {
  if (!window_) return;
  // Before the window goes: the system hands activation to an enabled window, and that must be
  // the one the modal form came from, not whatever lies below it.
  EnableDisabledWindows();
  DestroyWindow(window_);
}

LRESULT CALLBACK Form::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    form->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!form) return DefWindowProcW(window, message, wParam, lParam);
  // Nothing thrown may cross into the system's code, which would end the process.
  try {
    return form->Handle(message, wParam, lParam);
  } catch (const std::exception& failure) {
    form->OnUnexpectedFailure(failure.what());
  } catch (...) {
    form->OnUnexpectedFailure("");
  }
  return 0;
}

void Form::OnUnexpectedFailure(const std::string& what) {
  const std::string text = "发生意外错误。\r\n\r\n" + what;
  MessageBoxW(window_, Utf8ToWide(text).c_str(), Utf8ToWide(design_.caption).c_str(), MB_OK | MB_ICONERROR);
}

LRESULT Form::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND window = window_;
  LRESULT result = 0;
  if (OnMessage(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT && mousePointer_) {
        SetCursor(mousePointer_);
        return TRUE;
      }
      break;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam));
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      OnPaint(dc);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_NCDESTROY:
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      window_ = nullptr;
      // The modal loop waits in GetMessage and looks at the window only after a message: a close
      // made from a sent message (another thread's, or one the system sends while the loop
      // waits) must wake it, or it waits on for whatever input comes next.
      if (modal_) PostMessageW(nullptr, WM_NULL, 0, 0);
      OnClosed();
      return DefWindowProcW(window, message, wParam, lParam);
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

namespace {

RECT WindowRect(HWND window) {
  RECT rect{};
  if (window) GetWindowRect(window, &rect);
  return rect;
}

}  // namespace

int Form::Left() const { return WindowRect(window_).left; }
int Form::Top() const { return WindowRect(window_).top; }
int Form::Width() const {
  RECT r = WindowRect(window_);
  return r.right - r.left;
}
int Form::Height() const {
  RECT r = WindowRect(window_);
  return r.bottom - r.top;
}

void Form::Move(int left, int top, int width, int height) {
  if (window_) SetWindowPos(window_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SetLeft(int left) { Move(left, Top(), Width(), Height()); }
void Form::SetTop(int top) { Move(Left(), top, Width(), Height()); }
void Form::SetWidth(int width) { Move(Left(), Top(), width, Height()); }
void Form::SetHeight(int height) { Move(Left(), Top(), Width(), height); }

bool Form::Visible() const { return window_ && IsWindowVisible(window_); }

void Form::SetVisible(bool visible) {
  if (window_) ShowWindow(window_, visible ? SW_SHOW : SW_HIDE);
}

void Form::SetMousePointer(HCURSOR cursor) {
  mousePointer_ = cursor;
  // Take effect at once when the cursor is over us, not only on the next mouse move.
  POINT point;
  if (window_ && GetCursorPos(&point) && WindowFromPoint(point) == window_) SetCursor(cursor);
}

std::string Form::Caption() const {
  if (!window_) return design_.caption;
  int length = GetWindowTextLengthW(window_);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window_, text.data(), length + 1)));
  return WideToUtf8(text);
}

int RunMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

void PumpPendingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
    if (message.message == WM_QUIT) return;
    PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}
