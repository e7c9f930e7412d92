#include "settings/FreeFileName.h"

#include <windows.h>

#include "settings/NamePattern.h"
#include "win/FileReplacement.h"

namespace {

std::string Joined(const std::string& folder, const std::string& name) {
  if (folder.empty() || folder.back() == '\\' || folder.back() == '/') return folder + name;
  return folder + "\\" + name;
}

}  // namespace

bool PathExistsOnDisk(const std::string& path) {
  return GetFileAttributesW(FileSystemPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string FreeFileName(const std::string& folder, const std::string& base, const std::string& extension,
                         const PathExists& exists) {
  for (int number = 1; number < 10000; ++number) {
    const std::string suffix = number == 1 ? std::string() : " (" + std::to_string(number) + ")";
    const std::string path = Joined(folder, base + suffix + extension);
    if (!exists(path)) return path;
  }
  return std::string();
}

std::string NextFreeName(const std::string& folder, const std::string& pattern, const SYSTEMTIME& time,
                         const std::string& extension, const PathExists& exists) {
  const std::string first = ExpandNamePattern(pattern, time, 1);
  if (first.empty()) return std::string();
  if (first == ExpandNamePattern(pattern, time, 2)) return FreeFileName(folder, first, extension, exists);
  for (unsigned counter = 1; counter < 10000; ++counter) {
    const std::string path = Joined(folder, ExpandNamePattern(pattern, time, counter) + extension);
    if (!exists(path)) return path;
  }
  return std::string();
}
