#pragma once
// The magnifier's keys: while it shows, C copies its colour line to the clipboard as text and
// Shift switches that line between RGB:(r,g,b) and #RRGGBB. The capture stays open.

#include <windows.h>

class CaptureSession;

// Handles a WM_KEYDOWN (its lParam gives the repeat flag); false when the key is not one of these
// or no magnifier shows.
bool ColourKeyDown(CaptureSession& session, WPARAM key, LPARAM flags);
