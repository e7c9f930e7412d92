#include "support/DialogDriver.h"

#include <dlgs.h>

#include <vector>

using namespace std::chrono_literals;

namespace {

BOOL CALLBACK CollectDialog(HWND window, LPARAM list) {
  char className[16] = {};
  GetClassNameA(window, className, sizeof className);
  if (std::string(className) == "#32770" && IsWindowVisible(window))
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

std::vector<HWND> DialogsOf(DWORD threadId) {
  std::vector<HWND> found;
  EnumThreadWindows(threadId, CollectDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

void RemoveTree(const std::string& directory) {
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((directory + "*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = entry.cFileName;
      if (name == "." || name == "..") continue;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(directory + name + "\\");
      else
        DeleteFileA((directory + name).c_str());
    } while (FindNextFileA(find, &entry));
    FindClose(find);
  }
  RemoveDirectoryA(directory.c_str());
}

}  // namespace

HWND FileNameBox(HWND dialog) {
  HWND box = GetDlgItem(dialog, cmb13);
  return box ? box : GetDlgItem(dialog, edt1);
}

std::string WindowText(HWND window) {
  char text[1024] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                      &copied);
  return text;
}

void TypeFileName(HWND dialog, const std::string& text) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(FileNameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG,
                      2000, &ignored);
}

void ChooseFilter(HWND dialog, int filterIndex) {
  HWND box = GetDlgItem(dialog, cmb1);
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(box, CB_SETCURSEL, filterIndex - 1, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
  SendMessageTimeoutA(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK), reinterpret_cast<LPARAM>(box),
                      SMTO_ABORTIFHUNG, 2000, &ignored);
}

void PressButton(HWND dialog, int buttonId) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
}

DialogDriver::DialogDriver(Script script, std::chrono::milliseconds limit)
    : ownerThread_(GetCurrentThreadId()), script_(std::move(script)), limit_(limit), thread_([this] { Run(); }) {}

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
  bool scripted = false;
  while (!finished_) {
    std::this_thread::sleep_for(50ms);
    const std::vector<HWND> dialogs = DialogsOf(ownerThread_);
    if (std::chrono::steady_clock::now() > deadline) {
      forcedCancel_ = true;
      for (HWND dialog : dialogs) PressButton(dialog, IDCANCEL);
      std::this_thread::sleep_for(200ms);
      continue;
    }
    if (scripted || dialogs.empty() || !FileNameBox(dialogs.front())) continue;
    std::this_thread::sleep_for(200ms);  // let the dialog finish filling its controls
    HWND dialog = dialogs.front();
    caption = WindowText(dialog);
    nameBoxText = WindowText(FileNameBox(dialog));
    script_(dialog);
    scripted = true;
    scriptRan_ = true;
  }
}

TempDir::TempDir() {
  static int made = 0;
  char base[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, base);
  path_ = std::string(base) + "screencut-test-" + std::to_string(GetCurrentProcessId()) + "-" +
          std::to_string(++made) + "\\";
  CreateDirectoryA(path_.c_str(), nullptr);
}

TempDir::~TempDir() { RemoveTree(path_); }

std::string TempDir::Touch(const std::string& name) const {
  const std::string file = path_ + name;
  HANDLE handle = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  return file;
}

std::string TempDir::Subdirectory(const std::string& name) const {
  const std::string directory = path_ + name + "\\";
  CreateDirectoryA(directory.c_str(), nullptr);
  return directory;
}
