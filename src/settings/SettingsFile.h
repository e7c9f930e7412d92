#pragma once
// Where settings.ini lives, reading it at start and writing it when the user changes something.

#include <string>

#include "settings/Settings.h"

// settings.ini beside the executable when that file exists (a portable copy carries its settings
// with it), otherwise %APPDATA%\ScreenCut\settings.ini. Empty if the system names neither.
std::string SettingsPath();

// The settings in the file; the defaults for what it lacks or spoils, all of them when it is
// missing or cannot be read.
Settings LoadSettings(const std::string& path = SettingsPath());

// Writes the whole file in one step (the old one stays whole if anything fails), making its
// folder first. False, with the system's error code in GetLastError, on failure.
bool SaveSettings(const Settings& settings, const std::string& path = SettingsPath());
