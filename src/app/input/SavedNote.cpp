#include "app/input/SavedNote.h"

#include <windows.h>

#include "gx/GdiOwners.h"
#include "gx/GxText.h"
#include "gx/UniqueHandle.h"

namespace {

constexpr wchar_t kClassName[] = L"ScreenCutSavedNote";
constexpr UINT_PTR kGoneTimer = 1;
constexpr UINT kShownMs = 2000;
constexpr int kPadding = 10;
constexpr int kMargin = 16;

HWND note = nullptr;
std::wstring noteText;

HFONT NoteFont() {
  static GdiObject<HFONT> font(CreateFontW(-14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH,
                                           L"微软雅黑"));
  return font.get();
}

void Paint(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT area;
  GetClientRect(window, &area);
  FillRect(dc, &area, GetSysColorBrush(COLOR_INFOBK));
  const HGDIOBJ old = SelectObject(dc, NoteFont());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
  InflateRect(&area, -kPadding, -kPadding);
  DrawTextW(dc, noteText.c_str(), static_cast<int>(noteText.size()), &area, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old);
  EndPaint(window, &paint);
}

LRESULT CALLBACK NoteProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: Paint(window); return 0;
    case WM_TIMER: DestroyWindow(window); return 0;
    case WM_NCDESTROY:
      if (note == window) note = nullptr;
      break;
    default: break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterNoteClass() {
  static const bool registered = [] {
    WNDCLASSEXW noteClass{};
    noteClass.cbSize = sizeof noteClass;
    noteClass.lpfnWndProc = NoteProcedure;
    noteClass.hInstance = GetModuleHandleW(nullptr);
    noteClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    noteClass.lpszClassName = kClassName;
    return RegisterClassExW(&noteClass) != 0;
  }();
  return registered;
}

SIZE TextSize(const std::wstring& text) {
  ScreenDC screen;
  const HGDIOBJ old = SelectObject(screen.get(), NoteFont());
  SIZE size{};
  GetTextExtentPoint32W(screen.get(), text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(screen.get(), old);
  return size;
}

std::string FileNameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

void ShowSavedNote(const std::string& path) {
  if (note) DestroyWindow(note);
  if (!RegisterNoteClass()) return;
  noteText = Utf8ToWide("已保存：" + FileNameOf(path));
  const SIZE text = TextSize(noteText);
  const int width = text.cx + 2 * kPadding + 2, height = text.cy + 2 * kPadding + 2;
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  // Never active: the user goes on where they were.
  note = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kClassName, noteText.c_str(),
                         WS_POPUP | WS_BORDER, work.right - width - kMargin, work.bottom - height - kMargin, width,
                         height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!note) return;
  SetTimer(note, kGoneTimer, kShownMs, nullptr);
  ShowWindow(note, SW_SHOWNOACTIVATE);
}

HWND SavedNoteWindow() { return note; }
