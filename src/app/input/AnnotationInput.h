#pragma once
// The overlay's input as the armed annotation tool takes it, looked at before the overlay's own
// handling. Each returns true when the tool took the message, which then means nothing else.

#include <windows.h>

class CaptureSession;

// Mouse messages at `at`: a left press strictly inside the selection starts a shape (or opens a
// text box) instead of moving the selection; the moves and the release of that press are the
// tool's. A press anywhere else but the toolbars closes an open text box, keeping its text, and
// then does what it does.
bool AnnotationTakesMouse(CaptureSession& session, UINT message, WPARAM wParam, LPARAM lParam, POINT at);

// Keys, first of all the overlay's keys: while a text box is open its editing keys (Enter,
// Backspace, Delete, the arrows, Home, End, and Esc, which drops the box); then Ctrl+Z undo and
// Ctrl+Y or Ctrl+Shift+Z redo.
bool AnnotationTakesKey(CaptureSession& session, WPARAM key);

// Typed text for an open text box: WM_CHAR and WM_IME_CHAR as UTF-16 code units, and the result
// of WM_IME_COMPOSITION. A message taken here must not reach the window's own procedure, which
// would make more characters of it.
bool AnnotationTakesText(CaptureSession& session, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
