#pragma once
// The question asked before a save replaces a file that exists: Yes or No, with No the default,
// naming the very file that would be written.

#include <windows.h>

#include <functional>
#include <string>

// True when the user answers Yes (a message box; tests replace it). The path is UTF-8.
extern std::function<bool(HWND owner, const std::string& path)> ConfirmReplace;

// The question's caption and text, as the message box shows them.
std::string ReplaceQuestionCaption();
std::string ReplaceQuestionText(const std::string& path);
