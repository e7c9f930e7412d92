#pragma once
// The windows on the screen as the user sees them: which rectangles a click can pick.

#include <windows.h>

#include <vector>

#include "app/desktop/Monitors.h"
#include "win/ScreenRect.h"

struct NotedWindow {
  HWND handle = nullptr;
  ScreenRect rect;                    // on the canvas, within its parent's
  std::vector<NotedWindow> children;  // topmost first
};
using WindowList = std::vector<NotedWindow>;

// The visible top-level windows, topmost first, each with its visible child windows, clipped to
// the screen (0, 0)–(screenWidth, screenHeight). Left out: `skip` (the overlay), minimized,
// cloaked and empty windows, windows wholly off the screen, and the desktop's own background
// windows.
WindowList NoteVisibleWindows(HWND skip, int screenWidth, int screenHeight);
// The same over the whole virtual screen, each rectangle in canvas coordinates.
WindowList NoteVisibleWindows(HWND skip, const DesktopLayout& desktop);

// The innermost window under (x, y): the topmost window there, then its topmost child there,
// and so on. Null when none is.
const NotedWindow* InnermostWindowAt(const WindowList& windows, int x, int y);
