#pragma once
// The program's texts are UTF-8 whatever the system's code page; GDI+, OLE and the system's W
// functions want UTF-16. The W twins of text operations take UTF-16 as it is.

#include <string>

std::wstring Utf8ToWide(const std::string& text);
std::string WideToUtf8(const wchar_t* text);
std::string WideToUtf8(const std::wstring& text);
std::string WideToOem(const wchar_t* text);

// A UTF-16 argument as GDI+ sees it: null when empty, and ending at its first NUL.
inline const wchar_t* WideOrNull(const std::wstring& text) {
  return text.empty() ? nullptr : text.c_str();
}
