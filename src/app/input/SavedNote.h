#pragma once
// A small note in the corner of the screen that names the file a quick save wrote, gone after two
// seconds by itself. It outlives the capture that saved, so it is a window of its own.

#include <windows.h>

#include <string>

// Shows the note for `path` (UTF-8), replacing one still shown.
void ShowSavedNote(const std::string& path);

// The note's window while it shows, else null (for tests).
HWND SavedNoteWindow();
