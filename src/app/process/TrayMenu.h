#pragma once
// The tray icon's right-click menu.

#include <windows.h>

#include <string>

enum class TrayChoice { Nothing, Capture, DelayedCapture, ShowMainWindow, Settings, StartWithWindows, Exit };

// Shows the menu at `at` (screen) until the user chooses or dismisses it. `hotKey` is the capture
// key's text, shown beside "截图"; `startsWithWindows` checks "开机启动".
TrayChoice ChooseFromTrayMenu(HWND owner, POINT at, const std::string& hotKey, bool startsWithWindows);
