#pragma once
// Every message of the overlay comes here first: its handler changes the capture's state (or
// runs a command); then the frame is rendered once and presented once, and the window's own
// procedure runs.

#include <windows.h>

#include <functional>
#include <string>

LRESULT CALLBACK OverlayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Tells the user that something failed that the program did not foresee (a message box; tests
// replace it). The capture it happened in has been ended.
extern std::function<void(HWND owner, const std::string& what)> ReportUnexpectedFailure;
