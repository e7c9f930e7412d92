#pragma once
// Where the overlay reads the cursor and the primary screen's size. Tests fix them here to
// drive the state machine without moving the real pointer.

#include <windows.h>

#include <optional>

// The cursor in screen coordinates, as of the message being handled.
POINT CursorPosition();
int ScreenWidth();
int ScreenHeight();

void OverrideCursorPosition(std::optional<POINT> position);
void OverrideScreenSize(std::optional<SIZE> size);
