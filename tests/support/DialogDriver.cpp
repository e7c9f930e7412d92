#include "support/DialogDriver.h"

#include <dlgs.h>

#include <vector>

#include "gx/GxText.h"
#include "win/FileDialog.h"

using namespace std::chrono_literals;

namespace {

BOOL CALLBACK CollectDialog(HWND window, LPARAM list) {
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  if (std::wstring(className) == L"#32770" && IsWindowVisible(window))
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

std::vector<HWND> DialogsOf(DWORD threadId) {
  std::vector<HWND> found;
  EnumThreadWindows(threadId, CollectDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

void RemoveTree(const std::string& directory) {
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW(Utf8ToWide(directory + "*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = WideToUtf8(entry.cFileName);
      if (name == "." || name == "..") continue;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(directory + name + "\\");
      } else {
        SetFileAttributesW(Utf8ToWide(directory + name).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(Utf8ToWide(directory + name).c_str());
      }
    } while (FindNextFileW(find, &entry));
    FindClose(find);
  }
  RemoveDirectoryW(Utf8ToWide(directory).c_str());
}

}  // namespace

HWND FileNameBox(HWND dialog) {
  HWND box = GetDlgItem(dialog, cmb13);
  return box ? box : GetDlgItem(dialog, edt1);
}

std::string WindowText(HWND window) {
  std::vector<wchar_t> text(FileDialog::kSaveBufferSize + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 2000,
                      &copied);
  return WideToUtf8(text.data());
}

void TypeFileName(HWND dialog, const std::string& text) {
  DWORD_PTR ignored = 0;
  const std::wstring wide = Utf8ToWide(text);
  SendMessageTimeoutW(FileNameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()), SMTO_ABORTIFHUNG,
                      2000, &ignored);
}

void ChooseFilter(HWND dialog, int filterIndex) {
  HWND box = GetDlgItem(dialog, cmb1);
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(box, CB_SETCURSEL, filterIndex - 1, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
  SendMessageTimeoutW(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK), reinterpret_cast<LPARAM>(box),
                      SMTO_ABORTIFHUNG, 2000, &ignored);
}

void PressButton(HWND dialog, int buttonId) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
}

DialogDriver::DialogDriver(Script script, std::chrono::milliseconds limit)
    : DialogDriver(std::vector<Script>{std::move(script)}, limit) {}

DialogDriver::DialogDriver(std::vector<Script> scripts, std::chrono::milliseconds limit)
    : ownerThread_(GetCurrentThreadId()), scripts_(std::move(scripts)), limit_(limit), thread_([this] { Run(); }) {}

DialogDriver::~DialogDriver() { Stop(); }

bool DialogDriver::Finish() {
  Stop();
  return scriptRan_ && !forcedCancel_;
}

void DialogDriver::Stop() {
  finished_ = true;
  if (thread_.joinable()) thread_.join();
}

void DialogDriver::Run() {
  const auto deadline = std::chrono::steady_clock::now() + limit_;
  std::size_t next = 0;
  HWND scripted = nullptr;  // the dialog last scripted, until it has gone
  while (!finished_) {
    std::this_thread::sleep_for(50ms);
    const std::vector<HWND> dialogs = DialogsOf(ownerThread_);
    if (std::chrono::steady_clock::now() > deadline) {
      forcedCancel_ = true;
      for (HWND dialog : dialogs) PressButton(dialog, IDCANCEL);
      std::this_thread::sleep_for(200ms);
      continue;
    }
    if (scripted && IsWindow(scripted)) continue;
    if (next == scripts_.size() || dialogs.empty() || !FileNameBox(dialogs.front())) continue;
    std::this_thread::sleep_for(200ms);  // let the dialog finish filling its controls
    HWND dialog = dialogs.front();
    if (next == 0) caption = WindowText(dialog);
    nameBoxTexts.push_back(WindowText(FileNameBox(dialog)));
    if (next == 0) nameBoxText = nameBoxTexts.front();
    scripts_[next++](dialog);
    scripted = dialog;
    scriptRan_ = next == scripts_.size();
  }
}

TempDir::TempDir() {
  static int made = 0;
  wchar_t base[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, base);
  path_ = WideToUtf8(base) + "screencut-test-" + std::to_string(GetCurrentProcessId()) + "-" +
          std::to_string(++made) + "\\";
  CreateDirectoryW(Utf8ToWide(path_).c_str(), nullptr);
}

TempDir::~TempDir() { RemoveTree(path_); }

std::string TempDir::Touch(const std::string& name) const {
  const std::string file = path_ + name;
  HANDLE handle = CreateFileW(Utf8ToWide(file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  return file;
}

std::string TempDir::Subdirectory(const std::string& name) const {
  const std::string directory = path_ + name + "\\";
  CreateDirectoryW(Utf8ToWide(directory).c_str(), nullptr);
  return directory;
}
