#pragma once
// Where the overlay reads the cursor and the virtual screen's size. Tests fix them here to
// drive the state machine without moving the real pointer.

#include <windows.h>

#include <optional>
#include <vector>

#include "win/ScreenRect.h"

// The cursor in screen coordinates, as of the message being handled (or where the pointer was
// put since, by MovePointerBy).
POINT CursorPosition();
// The virtual screen's size: every monitor's, and the gaps between them.
int ScreenWidth();
int ScreenHeight();

// Moves the pointer by (dx, dy) from where it is now, kept on the monitors (screen coordinates);
// the real pointer, or the fixed cursor while a test fixes one. Returns where it went, in screen
// coordinates.
POINT MovePointerBy(int dx, int dy, const std::vector<ScreenRect>& monitors);

void OverrideCursorPosition(std::optional<POINT> position);
// One monitor of the given size at (0, 0); see OverrideDesktop for several.
void OverrideScreenSize(std::optional<SIZE> size);
