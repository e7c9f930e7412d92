#include "settings/SettingsFile.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "gx/GxText.h"
#include "settings/QuickSaveFolder.h"
#include "settings/SettingsText.h"
#include "win/FileReplacement.h"

namespace {

constexpr std::size_t kLargestFile = 1 << 20;  // far more than any settings file; the rest is not read

struct FileCloser {
  void operator()(FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<FILE, FileCloser>;

std::string ExecutableFolder() {
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return std::string();
    if (length < path.size()) break;
    path.resize(path.size() * 2);
  }
  const std::string exe = WideToUtf8(path.data());
  const std::size_t slash = exe.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : exe.substr(0, slash + 1);
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool IsFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(FileSystemPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::string SettingsPath() {
  const std::string portable = ExecutableFolder() + "settings.ini";
  if (portable != "settings.ini" && IsFile(portable)) return portable;
  wchar_t appData[MAX_PATH];
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData))) return std::string();
  return WideToUtf8(appData) + "\\ScreenCut\\settings.ini";
}

Settings LoadSettings(const std::string& path) {
  if (path.empty()) return Settings();
  File file(_wfopen(FileSystemPath(path).c_str(), L"rb"));
  if (!file) return Settings();
  std::string text(kLargestFile, '\0');
  text.resize(std::fread(text.data(), 1, text.size(), file.get()));
  return ParseSettings(text);
}

bool SaveSettings(const Settings& settings, const std::string& path) {
  if (path.empty()) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return false;
  }
  const std::string folder = FolderOf(path);
  if (!folder.empty() && !MakeFolder(folder)) return false;
  const std::string text = SettingsText(settings);
  return ReplaceFileWith(path, Bytes(text.begin(), text.end()));
}
