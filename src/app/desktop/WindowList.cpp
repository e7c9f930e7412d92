#include "app/desktop/WindowList.h"

#include <dwmapi.h>

#include <cwchar>

namespace {

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
  if (SUCCEEDED(DwmGetWindowAttribute(window, DWMWA_EXTENDED_FRAME_BOUNDS, &rect, sizeof rect))) return ScreenRect::FromRect(rect);
  GetWindowRect(window, &rect);
  return ScreenRect::FromRect(rect);
}

ScreenRect WindowRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return ScreenRect::FromRect(rect);
}

struct Enumeration {
  HWND skip;
  const DesktopLayout& desktop;
  WindowList windows;
};

// Parents' rectangles are on the canvas by now, their children's still on the screen.
void NoteChildren(NotedWindow& parent, const DesktopLayout& desktop) {
  for (HWND child = GetWindow(parent.handle, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    NotedWindow noted{child, desktop.ToCanvas(WindowRect(child)).Intersect(parent.rect), {}};
    if (noted.rect.IsEmpty()) continue;
    NoteChildren(noted, desktop);
    parent.children.push_back(std::move(noted));
  }
}

BOOL CALLBACK NoteTopLevel(HWND window, LPARAM data) {
  auto& enumeration = *reinterpret_cast<Enumeration*>(data);
  if (window == enumeration.skip || !IsWindowVisible(window) || IsIconic(window) || IsCloaked(window) ||
      IsDesktopBackground(window))
    return TRUE;
  const DesktopLayout& desktop = enumeration.desktop;
  NotedWindow noted{window, desktop.ToCanvas(VisibleFrame(window).Intersect(desktop.virtualRect)), {}};
  if (noted.rect.IsEmpty()) return TRUE;
  NoteChildren(noted, desktop);
  enumeration.windows.push_back(std::move(noted));
  return TRUE;
}

const NotedWindow* TopmostAt(const WindowList& windows, int x, int y) {
  for (const NotedWindow& window : windows)
    if (window.rect.Contains(x, y)) return &window;
  return nullptr;
}

}  // namespace

WindowList NoteVisibleWindows(HWND skip, int screenWidth, int screenHeight) {
  return NoteVisibleWindows(skip, DesktopLayout::Single(screenWidth, screenHeight));
}

WindowList NoteVisibleWindows(HWND skip, const DesktopLayout& desktop) {
  Enumeration enumeration{skip, desktop, {}};
  EnumWindows(NoteTopLevel, reinterpret_cast<LPARAM>(&enumeration));
  return std::move(enumeration.windows);
}

const NotedWindow* InnermostWindowAt(const WindowList& windows, int x, int y) {
  const NotedWindow* found = TopmostAt(windows, x, y);
  for (const NotedWindow* inner = found; inner; inner = TopmostAt(inner->children, x, y)) found = inner;
  return found;
}
