#pragma once
// Quick save: the selection into the quick-save folder, under the name pattern, with no dialog
// and never over a file that is there.

#include <windows.h>

#include <string>

#include "settings/Settings.h"

struct OutputSource;

// Makes the folder if it is missing, encodes the selection in the chosen format and writes it
// under the first free name for `time`. The path written, or empty on failure (with the
// system's error code in GetLastError).
std::string QuickSaveSelection(const OutputSource& source, const Settings& settings, const SYSTEMTIME& time);
