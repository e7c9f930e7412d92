// instances list        — one line per running screencut main window:
//                          "PID enabled|disabled overlay|- front|-" (overlay: a capture is
//                          open; front: the main window is the foreground window)
// instances start PID   — presses the "开始截图" button of that process's main window
// instances message     — the text of a message box a running screencut shows, in UTF-8
// Exit status 1 when the process has no main window, 2 on bad arguments.

#include <windows.h>

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

struct OverlaySearch {
  DWORD process;
  bool found;
};

BOOL CALLBACK FindOverlay(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<OverlaySearch*>(data);
  char className[64] = {};
  GetClassNameA(window, className, sizeof className);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == search->process && std::strcmp(className, "ScreenCutOverlay") == 0 && IsWindowVisible(window))
    search->found = true;
  return TRUE;
}

struct MessageSearch {
  std::vector<DWORD> processes;
  HWND box;
};

BOOL CALLBACK FindMessageBox(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<MessageSearch*>(data);
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  for (DWORD program : search->processes)
    if (program == process && std::wcscmp(className, L"#32770") == 0 && IsWindowVisible(window) &&
        GetDlgItem(window, 0xFFFF))
      search->box = window;
  return TRUE;
}

std::vector<Instance> Instances() {
  std::vector<Instance> found;
  EnumWindows(CollectMain, reinterpret_cast<LPARAM>(&found));
  return found;
}

bool OverlayOpen(DWORD process) {
  OverlaySearch search{process, false};
  EnumWindows(FindOverlay, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

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
  if (argc == 2 && std::strcmp(argv[1], "message") == 0) {
    MessageSearch search{{}, nullptr};
    for (const Instance& instance : Instances()) search.processes.push_back(instance.process);
    EnumWindows(FindMessageBox, reinterpret_cast<LPARAM>(&search));
    if (!search.box) return 1;
    wchar_t text[4096] = {};
    GetWindowTextW(GetDlgItem(search.box, 0xFFFF), text, 4096);
    char utf8[4 * 4096] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    std::fwrite(utf8, 1, std::strlen(utf8), stdout);
    std::fputc('\n', stdout);
    return 0;
  }
  std::fprintf(stderr, "usage: instances list | instances start PID | instances message\n");
  return 2;
}
