#include "app/WindowList.h"

#include <dwmapi.h>

#include <algorithm>
#include <cwchar>

namespace {

ScreenRect FromRect(const RECT& rect) { return ScreenRect{rect.left, rect.top, rect.right, rect.bottom}; }

// Windows 7 knows no cloaking and answers with an error, which counts as not cloaked.
bool IsCloaked(HWND window) {
  DWORD cloaked = 0;
  return SUCCEEDED(DwmGetWindowAttribute(window, DWMWA_CLOAKED, &cloaked, sizeof cloaked)) && cloaked != 0;
}

// The desktop's wallpaper and icons lie in windows of these classes; they are the background,
// not something to pick.
bool IsDesktopBackground(HWND window) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  return std::wcscmp(name, L"Progman") == 0 || std::wcscmp(name, L"WorkerW") == 0;
}

// Where the window shows on the screen: its visible frame where the system composes windows
// (GetWindowRect there includes an invisible border for resizing), else its window rectangle.
ScreenRect VisibleFrame(HWND window) {
  RECT rect{};
  if (SUCCEEDED(DwmGetWindowAttribute(window, DWMWA_EXTENDED_FRAME_BOUNDS, &rect, sizeof rect))) return FromRect(rect);
  GetWindowRect(window, &rect);
  return FromRect(rect);
}

ScreenRect WindowRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return FromRect(rect);
}

void NoteChildren(NotedWindow& parent) {
  for (HWND child = GetWindow(parent.handle, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    NotedWindow noted{child, Clipped(WindowRect(child), parent.rect), {}};
    if (IsEmpty(noted.rect)) continue;
    NoteChildren(noted);
    parent.children.push_back(std::move(noted));
  }
}

struct Enumeration {
  HWND skip;
  ScreenRect screen;
  WindowList windows;
};

BOOL CALLBACK NoteTopLevel(HWND window, LPARAM data) {
  auto& enumeration = *reinterpret_cast<Enumeration*>(data);
  if (window == enumeration.skip || !IsWindowVisible(window) || IsIconic(window) || IsCloaked(window) ||
      IsDesktopBackground(window))
    return TRUE;
  NotedWindow noted{window, Clipped(VisibleFrame(window), enumeration.screen), {}};
  if (IsEmpty(noted.rect)) return TRUE;
  NoteChildren(noted);
  enumeration.windows.push_back(std::move(noted));
  return TRUE;
}

bool Contains(const ScreenRect& rect, int x, int y) {
  return rect.left <= x && x < rect.right && rect.top <= y && y < rect.bottom;
}

const NotedWindow* TopmostAt(const WindowList& windows, int x, int y) {
  for (const NotedWindow& window : windows)
    if (Contains(window.rect, x, y)) return &window;
  return nullptr;
}

}  // namespace

bool IsEmpty(const ScreenRect& rect) { return rect.left >= rect.right || rect.top >= rect.bottom; }

ScreenRect Clipped(const ScreenRect& rect, const ScreenRect& bounds) {
  const ScreenRect clipped{std::max(rect.left, bounds.left), std::max(rect.top, bounds.top),
                           std::min(rect.right, bounds.right), std::min(rect.bottom, bounds.bottom)};
  return IsEmpty(clipped) ? ScreenRect{} : clipped;
}

WindowList NoteVisibleWindows(HWND skip, int screenWidth, int screenHeight) {
  Enumeration enumeration{skip, ScreenRect{0, 0, screenWidth, screenHeight}, {}};
  EnumWindows(NoteTopLevel, reinterpret_cast<LPARAM>(&enumeration));
  return std::move(enumeration.windows);
}

const NotedWindow* InnermostWindowAt(const WindowList& windows, int x, int y) {
  const NotedWindow* found = TopmostAt(windows, x, y);
  for (const NotedWindow* inner = found; inner; inner = TopmostAt(inner->children, x, y)) found = inner;
  return found;
}
