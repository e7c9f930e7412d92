#include "SaveDialogDriver.h"

#include <dlgs.h>

#include <chrono>

#include "Samples.h"

using namespace std::chrono_literals;

namespace {

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
  char className[16] = {};
  GetClassNameA(window, className, sizeof className);
  if (std::string(className) != "#32770" || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

HWND NameBox(HWND dialog) {
  HWND box = GetDlgItem(dialog, cmb13);
  return box ? box : GetDlgItem(dialog, edt1);
}

void Press(HWND dialog, int button) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

}  // namespace

SaveDialogDriver::SaveDialogDriver(std::string path)
    : ownerThread_(GetCurrentThreadId()), path_(std::move(path)), thread_([this] { Run(); }) {}

SaveDialogDriver::~SaveDialogDriver() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
}

double SaveDialogDriver::Finish() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  return pressedAt_;
}

void SaveDialogDriver::Run() {
  const auto deadline = std::chrono::steady_clock::now() + 20s;
  bool answered = false;
  while (!stop_) {
    std::this_thread::sleep_for(20ms);
    HWND dialog = nullptr;
    EnumThreadWindows(ownerThread_, FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog) continue;
    if (answered || std::chrono::steady_clock::now() > deadline) {
      if (std::chrono::steady_clock::now() > deadline) {
        pressedAt_ = -1;
        Press(dialog, IDCANCEL);
      }
      continue;
    }
    if (!NameBox(dialog)) continue;
    std::this_thread::sleep_for(200ms);  // let the dialog finish filling its controls
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(NameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path_.c_str()), SMTO_ABORTIFHUNG,
                        2000, &ignored);
    pressedAt_ = NowMs();
    Press(dialog, IDOK);
    answered = true;
  }
}
