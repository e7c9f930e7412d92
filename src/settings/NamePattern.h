#pragma once
// The pattern quick save names its files by: text with fields in braces that the capture's time
// and a counter fill in. Inside braces yyyy, MM, dd, HH, mm, ss are the year, month, day, hour,
// minute and second (zero-padded) and n the counter; anything there that is not a letter stays
// as it is: "截图{yyyyMMddHHmmss}", "{yyyy-MM-dd} {HH.mm.ss}", "shot {n}".

#include <windows.h>

#include <string>

extern const char kDefaultNamePattern[];

// Whether the pattern makes a file name (without extension) on Windows: valid UTF-8, not
// empty, every brace closed and holding only known fields, and none of \ / : * ? " < > | or a
// control character anywhere, and not a device name (CON, NUL, COM1, ...). The settings window
// refuses a pattern that is not.
bool IsValidNamePattern(const std::string& pattern);

// The name for a capture taken at `time` (local time) as the counter-th of its kind; empty for
// an invalid pattern, or one whose counter makes a device name ("COM{n}").
std::string ExpandNamePattern(const std::string& pattern, const SYSTEMTIME& time, unsigned counter);
