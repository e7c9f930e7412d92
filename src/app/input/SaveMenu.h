#pragma once
// The quick-save button's drop-down: the ways to save a capture.

#include <windows.h>

enum class SaveWay { Nothing, Quick, As, OpenFolder, Pin };

// Shows the menu at `at` (screen) over `owner` until the user chooses or dismisses it.
SaveWay ChooseSaveWay(HWND owner, POINT at);
