#pragma once
// Ctrl+Alt+A starts a capture from wherever the user is, as the start button does.

#include <windows.h>

constexpr int kCaptureHotKeyId = 1;

// Asks the system for the combination on `window` (which then receives WM_HOTKEY). False when
// another program holds it: the program then does without, saying nothing.
bool RegisterCaptureHotKey(HWND window);
void UnregisterCaptureHotKey(HWND window);

// A WM_HOTKEY: starts a capture unless one is open already.
void OnCaptureHotKey(WPARAM id);
