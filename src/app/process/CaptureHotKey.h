#pragma once
// The hot key (Ctrl+Alt+A unless the user chose another) starts a capture from wherever the
// user is, as the start button does; with Shift added it opens on the last region.

#include <windows.h>

#include "settings/HotKey.h"

constexpr int kCaptureHotKeyId = 1;
constexpr int kLastRegionHotKeyId = 2;

// Asks the system for the combination on `window` (which then receives WM_HOTKEY), and for it
// with Shift. False when another program holds the combination: the program then does without,
// saying nothing.
bool RegisterCaptureHotKey(HWND window, const HotKey& hotKey);
void UnregisterCaptureHotKey(HWND window);

// A WM_HOTKEY: starts a capture unless one is open already.
void OnCaptureHotKey(WPARAM id);
