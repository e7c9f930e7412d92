#include "gx/GxText.h"

#include <windows.h>

#include <vector>

std::wstring AnsiToWide(const std::string& text) {
  if (text.empty()) return std::wstring();
  int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

namespace {

std::string WideToCodePage(UINT codePage, const wchar_t* text) {
  if (!text) return std::string();
  int size = WideCharToMultiByte(codePage, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return std::string();
  std::vector<char> buffer(static_cast<size_t>(size));
  WideCharToMultiByte(codePage, 0, text, -1, buffer.data(), size, nullptr, nullptr);
  return std::string(buffer.data());
}

}  // namespace

std::string WideToAnsi(const wchar_t* text) { return WideToCodePage(CP_ACP, text); }
std::string WideToOem(const wchar_t* text) { return WideToCodePage(CP_OEMCP, text); }
