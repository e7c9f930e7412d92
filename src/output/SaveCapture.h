#pragma once

#include <windows.h>

#include <functional>
#include <string>

// The local time as YYYYMMDDhhmmss.
std::string CaptureTimestamp(const SYSTEMTIME& time);
std::string CaptureTimestamp();

// The image-format GUID text for a 1-based save-filter index; empty for any other index.
std::string FormatForFilter(int filterIndex);

extern const char kSaveFilter[];

// Tells the user that a file could not be written (a message box; tests replace it).
extern std::function<void(HWND owner, const std::string& path)> ReportSaveFailure;
