#include "gx/GxText.h"

#include <windows.h>

#include <vector>

std::wstring Utf8ToWide(const std::string& text) {
  if (text.empty()) return std::wstring();
  int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

std::string WideToUtf8(const std::wstring& text) {
  if (text.empty()) return std::string();
  int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), narrow.data(), size, nullptr, nullptr);
  return narrow;
}

std::string WideToUtf8(const wchar_t* text) { return text ? WideToUtf8(std::wstring(text)) : std::string(); }

std::string WideToOem(const wchar_t* text) {
  if (!text) return std::string();
  int size = WideCharToMultiByte(CP_OEMCP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return std::string();
  std::vector<char> buffer(static_cast<size_t>(size));
  WideCharToMultiByte(CP_OEMCP, 0, text, -1, buffer.data(), size, nullptr, nullptr);
  return std::string(buffer.data());
}
