#pragma once
// Saving a capture: the dialog, the question before a file is replaced, the encoding (ahead of
// time for the format the dialog opens on) and the whole-or-nothing write.

#include <windows.h>

#include <functional>
#include <string>

struct OutputSource;
class EncodingAhead;

// The local time as YYYYMMDDhhmmss.
std::string CaptureTimestamp(const SYSTEMTIME& time);
std::string CaptureTimestamp();

// The image-format GUID text for a 1-based save-filter index; empty for any other index.
std::string FormatForFilter(int filterIndex);

// Tells the user that a file could not be written (a message box; tests replace it).
extern std::function<void(HWND owner, const std::string& path)> ReportSaveFailure;

enum class SaveOutcome { Saved, Dismissed, Failed };

// Encodes the selection ahead into `ahead` as PNG, the format the dialog opens on (see
// EncodingAhead), asks for the file with the default name "截图" and the time, and writes it. A
// failure has been reported to the user when this returns Failed. `stillOpen` says whether the
// capture outlived the dialog's own message loop; if not, nothing is written.
// The dialog opens in `startFolder` when one is given.
SaveOutcome SaveSelection(HWND owner, const OutputSource& source, EncodingAhead& ahead,
                          const std::function<bool()>& stillOpen, const std::string& startFolder = {});
