// instances list        — one line per running screencut main window:
//                          "PID enabled|disabled overlay|- front|-" (overlay: a capture is
//                          open; front: the main window is the foreground window)
// instances start PID   — presses the "开始截图" button of that process's main window
// instances message     — the text of a message box a running screencut shows, in UTF-8
// instances filename    — the file name typed into a save dialog a running screencut shows
// instances handles PID — "GDI USER PINS": that process's GDI and USER object counts (-1 when
//                          they cannot be counted) and its pinned captures on the screen
// Exit status 1 when the process has no main window, 2 on bad arguments.

#include <windows.h>

#include "support/ProcessHandles.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <vector>

namespace {

constexpr int kStartButtonId = 1001;

struct Instance {
  DWORD process;
  HWND main;
};

BOOL CALLBACK CollectMain(HWND window, LPARAM list) {
  char className[64] = {};
  GetClassNameA(window, className, sizeof className);
  if (std::strcmp(className, "ScreenCutMain") == 0) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    reinterpret_cast<std::vector<Instance>*>(list)->push_back(Instance{process, window});
  }
  return TRUE;
}

// The visible windows of one class that a process shows.
struct ClassSearch {
  DWORD process;
  const char* className;
  int found;
};

BOOL CALLBACK CountOfClass(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<ClassSearch*>(data);
  char className[64] = {};
  GetClassNameA(window, className, sizeof className);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == search->process && std::strcmp(className, search->className) == 0 && IsWindowVisible(window))
    ++search->found;
  return TRUE;
}

int WindowsOfClass(DWORD process, const char* className) {
  ClassSearch search{process, className, 0};
  EnumWindows(CountOfClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A dialog of one of the programs that holds a control of one of the ids.
struct DialogSearch {
  std::vector<DWORD> processes;
  std::vector<int> controlIds;
  HWND control;
};

BOOL CALLBACK FindDialogControl(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<DialogSearch*>(data);
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (std::wcscmp(className, L"#32770") != 0 || !IsWindowVisible(window)) return TRUE;
  for (DWORD program : search->processes) {
    if (program != process) continue;
    for (int id : search->controlIds)
      if (HWND control = GetDlgItem(window, id)) search->control = control;
  }
  return TRUE;
}

std::vector<Instance> Instances() {
  std::vector<Instance> found;
  EnumWindows(CollectMain, reinterpret_cast<LPARAM>(&found));
  return found;
}

bool OverlayOpen(DWORD process) { return WindowsOfClass(process, "ScreenCutOverlay") > 0; }

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "list") == 0) {
    for (const Instance& instance : Instances())
      std::printf("%lu %s %s %s\n", instance.process, IsWindowEnabled(instance.main) ? "enabled" : "disabled",
                  OverlayOpen(instance.process) ? "overlay" : "-",
                  GetForegroundWindow() == instance.main ? "front" : "-");
    return 0;
  }
  if (argc == 3 && std::strcmp(argv[1], "start") == 0) {
    const DWORD process = std::strtoul(argv[2], nullptr, 10);
    for (const Instance& instance : Instances()) {
      if (instance.process != process) continue;
      HWND button = GetDlgItem(instance.main, kStartButtonId);
      if (!button) return 1;
      // Posted: the press opens a modal capture that does not return until it ends.
      PostMessageA(button, BM_CLICK, 0, 0);
      return 0;
    }
    return 1;
  }
  if (argc == 3 && std::strcmp(argv[1], "handles") == 0) {
    const DWORD process = std::strtoul(argv[2], nullptr, 10);
    const HandleCounts counts = CountHandles(process);
    std::printf("%lld %lld %d\n", counts.gdi, counts.user, WindowsOfClass(process, "ScreenCutPin"));
    return 0;
  }
  if (argc == 2 && (std::strcmp(argv[1], "message") == 0 || std::strcmp(argv[1], "filename") == 0)) {
    DialogSearch search{{}, {}, nullptr};
    for (const Instance& instance : Instances()) search.processes.push_back(instance.process);
    // A message box's text is its static 0xFFFF; a save dialog's name box is cmb13 or edt1.
    search.controlIds = std::strcmp(argv[1], "message") == 0 ? std::vector<int>{0xFFFF} : std::vector<int>{0x47C, 0x480};
    EnumWindows(FindDialogControl, reinterpret_cast<LPARAM>(&search));
    if (!search.control) return 1;
    wchar_t text[4096] = {};
    SendMessageTimeoutW(search.control, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                        nullptr);
    char utf8[4 * 4096] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    std::fwrite(utf8, 1, std::strlen(utf8), stdout);
    std::fputc('\n', stdout);
    return 0;
  }
  std::fprintf(stderr, "usage: instances list | instances start PID | instances message | instances filename | "
                       "instances handles PID\n");
  return 2;
}
