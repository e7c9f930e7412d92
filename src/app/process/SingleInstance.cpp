#include "app/process/SingleInstance.h"

namespace {

// "Local\" keeps the name to the user's session: another user on the same machine runs a copy of
// their own.
constexpr wchar_t kMutexName[] = L"Local\\ScreenCut.Instance";
constexpr wchar_t kMainWindowClass[] = L"ScreenCutMain";

}  // namespace

InstanceLock::InstanceLock() : mutex_(CreateMutexW(nullptr, FALSE, kMutexName)) {
  first_ = !mutex_ || GetLastError() != ERROR_ALREADY_EXISTS;
}

UINT ShowMainWindowMessage() {
  static const UINT message = RegisterWindowMessageW(L"ScreenCut.ShowMainWindow");
  return message;
}

void AskFirstToShow() {
  // The first copy may still be making its window: wait for it a little.
  for (int attempt = 0; attempt < 50; ++attempt) {
    if (HWND first = FindWindowW(kMainWindowClass, nullptr)) {
      DWORD process = 0;
      GetWindowThreadProcessId(first, &process);
      AllowSetForegroundWindow(process);
      PostMessageW(first, ShowMainWindowMessage(), 0, 0);
      return;
    }
    Sleep(100);
  }
}
