#pragma once
// Texts travel as bytes in the ANSI code page (UTF-8 under the program's manifest); GDI+ and OLE
// want UTF-16. The W twins of text operations take UTF-16 as it is.

#include <string>

std::wstring AnsiToWide(const std::string& text);
std::string WideToAnsi(const wchar_t* text);
std::string WideToOem(const wchar_t* text);

// A UTF-16 argument as GDI+ sees it: null when empty, and ending at its first NUL.
inline const wchar_t* WideOrNull(const std::wstring& text) {
  return text.empty() ? nullptr : text.c_str();
}
