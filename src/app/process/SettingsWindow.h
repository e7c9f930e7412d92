#pragma once
// The settings window ("设置"): the user changes what the program keeps. The file is written,
// whole, only when OK leaves something changed.

#include <windows.h>

// Runs the window modally over `owner`. True when the settings changed (and were written and
// taken into use); false on Cancel, on OK with nothing changed, or when they could not be written
// (the user has been told).
bool ShowSettingsWindow(HWND owner);
