#pragma once
// The folder quick save writes into, and making it (the first quick save does).

#include <string>

#include "settings/Settings.h"

// The chosen folder (UTF-8), or by default the user's Pictures folder + \截图, looked up now, so
// that a Pictures folder moved while the program runs is followed. Empty if the system names no
// Pictures folder. The folder may not exist yet.
std::string QuickSaveFolder(const Settings& settings);

// Makes the folder and any missing parents; true if it exists afterwards. False, with the
// system's error code in GetLastError, when it cannot be made.
bool MakeFolder(const std::string& folder);
