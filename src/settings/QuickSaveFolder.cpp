#include "settings/QuickSaveFolder.h"

#include <windows.h>
#include <shlobj.h>

#include "gx/GxText.h"
#include "win/FileReplacement.h"

std::string QuickSaveFolder(const Settings& settings) {
  if (!settings.quickSaveFolder.empty()) return settings.quickSaveFolder;
  wchar_t pictures[MAX_PATH];
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_MYPICTURES, nullptr, SHGFP_TYPE_CURRENT, pictures))) return std::string();
  return WideToUtf8(pictures) + "\\截图";
}

bool MakeFolder(const std::string& folder) {
  const std::wstring path = Utf8ToWide(folder);
  const int made = SHCreateDirectoryExW(nullptr, path.c_str(), nullptr);
  if (made != ERROR_SUCCESS && made != ERROR_ALREADY_EXISTS) {
    SetLastError(static_cast<DWORD>(made));
    return false;
  }
  const DWORD attributes = GetFileAttributesW(FileSystemPath(folder).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
