#include "win/FileReplacement.h"

#include <windows.h>

#include <algorithm>

#include "gx/GxText.h"
#include "gx/UniqueHandle.h"

namespace {

std::wstring FolderOf(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

// A new file with a short name in the target's folder: short, so that a target whose name is as
// long as the folder allows still gets one beside it.
HANDLE CreateTemporaryBeside(const std::wstring& target, std::wstring& temporary) {
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    wchar_t name[32];
    wsprintfW(name, L"~sc%lx-%x.tmp", GetCurrentProcessId(), ++counter);
    temporary = FolderOf(target) + name;
    HANDLE file =
        CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  return INVALID_HANDLE_VALUE;
}

bool WriteWhole(HANDLE file, const Bytes& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return FlushFileBuffers(file) != FALSE;
}

}  // namespace

std::wstring FileSystemPath(const std::string& path) {
  const std::wstring wide = Utf8ToWide(path);
  if (wide.size() < MAX_PATH - 12 || wide.compare(0, 4, L"\\\\?\\") == 0) return wide;
  if (wide.size() > 2 && wide[1] == L':' && wide[2] == L'\\') return L"\\\\?\\" + wide;
  if (wide.compare(0, 2, L"\\\\") == 0) return L"\\\\?\\UNC\\" + wide.substr(2);
  return wide;
}

namespace {

bool WriteThroughTemporary(const std::string& path, const Bytes& bytes, DWORD moveFlags) {
  const std::wstring target = FileSystemPath(path);
  std::wstring temporary;
  FileHandle file(CreateTemporaryBeside(target, temporary));
  if (!file) return false;
  const bool written = WriteWhole(file.get(), bytes);
  const bool closed = CloseHandle(file.release()) != FALSE;
  if (written && closed &&
      MoveFileExW(temporary.c_str(), target.c_str(), moveFlags | MOVEFILE_WRITE_THROUGH))
    return true;
  const DWORD error = GetLastError();
  DeleteFileW(temporary.c_str());
  SetLastError(error);
  return false;
}

}  // namespace

bool ReplaceFileWith(const std::string& path, const Bytes& bytes) {
  return WriteThroughTemporary(path, bytes, MOVEFILE_REPLACE_EXISTING);
}

bool WriteNewFile(const std::string& path, const Bytes& bytes) { return WriteThroughTemporary(path, bytes, 0); }
