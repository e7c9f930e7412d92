#pragma once
// Every message of the overlay comes here first: it becomes a change of the selection, a
// command, or nothing; then the canvas is presented and the window's own procedure runs.

#include <windows.h>

LRESULT CALLBACK OverlayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// What a move of the pointer does: the looking, drawing, resizing or moving it is part of, drawn.
// A pointer moved from the keyboard goes the same way.
void OverlayPointerMoved();
