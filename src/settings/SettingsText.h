#pragma once
// The settings as the text of settings.ini: UTF-8 (a BOM is allowed), a [ScreenCut] section of
// key=value lines, comments starting with ";" or "#".

#include <string>

#include "settings/Settings.h"

// Every value the text gives well, the default for every other: a missing, empty, cut-off or
// garbled file, or one bad value, costs only the values it spoils. When a key appears twice, the
// last good value wins. A last line without its line end is taken as cut off and not read.
Settings ParseSettings(const std::string& text);

// The whole file, with a BOM and CRLF line ends so that any editor on Windows shows it right.
std::string SettingsText(const Settings& settings);
