#include "win/FileDialogText.h"

#include <algorithm>

#include "gx/GxText.h"

namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  for (;;) {
    std::size_t end = text.find(separator, start);
    pieces.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) return pieces;
    start = end + 1;
  }
}

bool IsBlank(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}

}  // namespace

std::wstring SystemFilter(const std::string& filter) {
  std::wstring converted = Utf8ToWide(filter);
  std::replace(converted.begin(), converted.end(), L'|', L'\0');
  converted.append(2, L'\0');
  return converted;
}

std::string FilterExtension(const std::string& filter, int filterIndex) {
  if (filter.empty() || filterIndex < 1) return {};
  const std::vector<std::string> pieces = Split(filter, '|');
  const std::size_t patternAt = 2 * static_cast<std::size_t>(filterIndex) - 1;
  if (patternAt >= pieces.size()) return {};
  const std::string& pattern = pieces[patternAt];
  if (pattern.empty() || pattern[0] != '*') return {};
  std::string extension = pattern.substr(1, pattern.find(';') - 1);
  return extension == ".*" ? std::string() : extension;
}

std::vector<wchar_t> FileNameBuffer(std::size_t size, const std::string& initialDir, const std::string& defaultName) {
  std::vector<wchar_t> buffer(size, L'\0');
  if (IsBlank(defaultName)) return buffer;
  const std::wstring preset = Utf8ToWide(initialDir + defaultName);
  // A name the buffer cannot hold is no name at all: the user types one instead of finding
  // a silently shortened path in the box.
  if (preset.size() >= size) return buffer;
  std::copy(preset.begin(), preset.end(), buffer.begin());
  return buffer;
}

std::vector<wchar_t> FileTitleBuffer(std::size_t size) {
  std::vector<wchar_t> buffer(size + 1, L' ');
  buffer[size] = L'\0';
  return buffer;
}

std::string BufferText(const std::vector<wchar_t>& buffer) {
  const auto end = std::find(buffer.begin(), buffer.end(), L'\0');
  return WideToUtf8(std::wstring(buffer.begin(), end));
}

std::string OpenDialogPaths(const std::vector<wchar_t>& fileBuffer) {
  const std::wstring text(fileBuffer.begin(), fileBuffer.end());
  const std::string selection = WideToUtf8(text.substr(0, text.find(std::wstring(2, L'\0'))));
  if (selection.find('\0') == std::string::npos) return selection;

  std::vector<std::string> pieces = Split(selection, '\0');
  std::string directory = pieces.front();
  if (directory.empty() || directory.back() != '\\') directory += '\\';
  std::string joined;
  for (std::size_t i = 1; i < pieces.size(); ++i) {
    if (i > 1) joined += ';';
    joined += directory + pieces[i];
  }
  return joined;
}

SaveDialogNames SaveDialogResult(const std::string& title, const std::string& path, const std::string& extension) {
  const std::size_t dot = title.find('.');
  if (dot == std::string::npos) return {title + extension, path + extension};
  SaveDialogNames names;
  names.name = title.substr(0, dot) + extension;
  const std::size_t lastBackslash = path.rfind('\\');
  const std::string directory = lastBackslash == std::string::npos ? std::string() : path.substr(0, lastBackslash + 1);
  names.path = directory + names.name;
  return names;
}
