#include "app/process/StartWithWindows.h"

#include <windows.h>

#include <string>
#include <vector>

#include "gx/UniqueHandle.h"

namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kValueName[] = L"ScreenCut";

RegistryKey OpenRunKey(REGSAM access) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, access, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return RegistryKey();
  return RegistryKey(key);
}

std::wstring ExecutablePath() {
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return std::wstring();
    if (length < path.size()) return std::wstring(path.data(), length);
    path.resize(path.size() * 2);
  }
}

}  // namespace

bool StartsWithWindows() {
  RegistryKey key = OpenRunKey(KEY_QUERY_VALUE);
  return key && RegQueryValueExW(key.get(), kValueName, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool SetStartWithWindows(bool start) {
  RegistryKey key = OpenRunKey(KEY_SET_VALUE);
  if (!key) return false;
  if (!start) {
    const LONG removed = RegDeleteValueW(key.get(), kValueName);
    return removed == ERROR_SUCCESS || removed == ERROR_FILE_NOT_FOUND;
  }
  const std::wstring path = ExecutablePath();
  if (path.empty()) return false;
  // Quoted: a path with spaces would otherwise start something else.
  const std::wstring command = L"\"" + path + L"\" --tray";
  return RegSetValueExW(key.get(), kValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                        static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}
