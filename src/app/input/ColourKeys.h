#pragma once
// The magnifier's keys: while it shows, C copies its colour line to the clipboard as text and
// Shift (pressed and let go alone) switches that line between RGB:(r,g,b) and #RRGGBB. The capture stays open.

#include <windows.h>

class CaptureSession;

// Handles a WM_KEYDOWN (its lParam gives the repeat flag); false when the key is not C or no
// magnifier shows, so that the key goes on to the others.
bool ColourKeyDown(CaptureSession& session, WPARAM key, LPARAM flags);
// Handles a WM_KEYUP: Shift let go alone switches the line; true when it did.
bool ColourKeyUp(CaptureSession& session, WPARAM key);
