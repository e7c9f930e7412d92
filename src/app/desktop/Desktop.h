#pragma once
// Where the overlay reads the cursor and the primary screen's size. Tests fix them here to
// drive the state machine without moving the real pointer.

#include <windows.h>

#include <optional>

// The cursor in screen coordinates, as of the message being handled (or where the pointer was
// put since, by MovePointerBy).
POINT CursorPosition();
int ScreenWidth();
int ScreenHeight();

// Moves the pointer by (dx, dy) from where it is now, kept on the screen; the real pointer, or
// the fixed cursor while a test fixes one. Returns where it went.
POINT MovePointerBy(int dx, int dy);

void OverrideCursorPosition(std::optional<POINT> position);
void OverrideScreenSize(std::optional<SIZE> size);
