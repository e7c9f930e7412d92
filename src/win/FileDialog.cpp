#include "win/FileDialog.h"

#include <commdlg.h>

#include <cderr.h>

#include <algorithm>
#include <cstddef>
#include <vector>

#include "gx/GxText.h"
#include "win/FileDialogText.h"
#include "win/Form.h"

namespace {

// A text of the buffer that UTF-8 carries unchanged (no unpaired surrogate, which would come
// back as another name).
bool SurvivesUtf8(const std::vector<wchar_t>& buffer) {
  const std::wstring text(buffer.begin(), std::find(buffer.begin(), buffer.end(), L'\0'));
  return Utf8ToWide(WideToUtf8(text)) == text;
}

}  // namespace

// Everything one dialog call hands to the system; OPENFILENAMEW points into it, so it is
// filled in only once the request sits where it stays for the call.
struct FileDialog::Request {
  HWND owner = nullptr;
  std::string title;
  std::string filter;
  std::string initialDir;
  DWORD flags = 0;
  int filterIndex = 0;
  std::wstring systemTitle;
  std::wstring systemInitialDir;
  std::wstring systemFilter;
  std::vector<wchar_t> file;
  std::vector<wchar_t> fileTitle;

  OPENFILENAMEW Native() {
    // The structure without the Windows 2000 members, as every version of comdlg32 accepts.
    static_assert(offsetof(OPENFILENAMEW, lpTemplateName) + sizeof(LPCWSTR) == (sizeof(void*) == 4 ? 76 : 136),
                  "unexpected OPENFILENAMEW layout");
    systemTitle = Utf8ToWide(title);
    systemInitialDir = Utf8ToWide(initialDir);
    OPENFILENAMEW native{};
    native.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
    native.hwndOwner = owner;
    native.hInstance = nullptr;
    native.lpstrFilter = systemFilter.c_str();
    native.lpstrCustomFilter = nullptr;
    native.nMaxCustFilter = 0;
    native.nFilterIndex = static_cast<DWORD>(filterIndex);  // 0: the system preselects the first
    native.lpstrFile = file.data();
    native.nMaxFile = static_cast<DWORD>(file.size());
    native.lpstrFileTitle = fileTitle.data();
    native.nMaxFileTitle = static_cast<DWORD>(fileTitle.size() - 1);
    native.lpstrInitialDir = systemInitialDir.empty() ? nullptr : systemInitialDir.c_str();
    native.lpstrTitle = systemTitle.empty() ? nullptr : systemTitle.c_str();
    native.Flags = flags;
    native.lpstrDefExt = nullptr;
    native.lCustData = 0;
    native.lpfnHook = nullptr;
    native.lpTemplateName = nullptr;
    return native;
  }
};

void FileDialog::ResetDialog() {
  owner_ = nullptr;
  filterIndex_ = 0;
  flags_ = 0;
  title_.clear();
  filter_.clear();
  initialDir_.clear();
  chosenPath_.clear();
}

FileDialog::Request FileDialog::Prepare(HWND owner, const std::string& title, const std::string& filter,
                                        const std::string& initialDir, DWORD flags, std::size_t bufferSize) const {
  Request request;
  request.owner = owner ? owner : owner_;
  request.title = title.empty() ? title_ : title;
  request.filter = filter.empty() ? filter_ : filter;
  request.initialDir = initialDir.empty() ? initialDir_ : initialDir;
  request.flags = flags ? flags : flags_;
  request.filterIndex = startFilterIndex_;
  // Let the caller's windows show their last repaint before the modal loop takes over.
  PumpPendingMessages();
  request.systemFilter = SystemFilter(request.filter);
  request.file = FileNameBuffer(bufferSize, request.initialDir, defaultName_);
  request.fileTitle = FileTitleBuffer(bufferSize);
  return request;
}

std::string FileDialog::ShowOpen(HWND owner, const std::string& title, const std::string& filter,
                                 const std::string& initialDir, DWORD flags) {
  Request request = Prepare(owner, title, filter, initialDir, flags, kOpenBufferSize);
  OPENFILENAMEW native = request.Native();
  error_ = 0;
  if (!GetOpenFileNameW(&native)) {
    error_ = CommDlgExtendedError();
    return {};
  }
  chosenPath_ = OpenDialogPaths(request.file);
  return chosenPath_;
}

std::string FileDialog::ShowSave(HWND owner, const std::string& title, const std::string& filter,
                                 const std::string& initialDir, DWORD flags) {
  Request request = Prepare(owner, title, filter, initialDir, flags, kSaveBufferSize);
  OPENFILENAMEW native = request.Native();
  error_ = 0;
  if (!GetSaveFileNameW(&native)) {
    error_ = CommDlgExtendedError();
    return {};
  }
  if (!SurvivesUtf8(request.file) || !SurvivesUtf8(request.fileTitle)) {
    error_ = FNERR_INVALIDFILENAME;
    return {};
  }
  const std::string extension = FilterExtension(request.filter, static_cast<int>(native.nFilterIndex));
  const std::string path = BufferText(request.file);
  const SaveDialogNames names = SaveDialogResult(BufferText(request.fileTitle), path, extension);
  filterIndex_ = static_cast<int>(native.nFilterIndex);
  chosenName_ = names.name;
  chosenPath_ = names.path;
  return path + extension;
}
