// instances list        — one line per running screencut main window:
//                          "PID enabled|disabled overlay|- front|- shown|hidden" (overlay: a
//                          capture is open; front: the main window is the foreground window)
// instances tray PID left|right — posts the tray icon's callback as the shell would on a click
// instances trayicon PID — exit status 0 when that process's tray icon is in the notification area
// instances menukeys KEY... — posts keys (Down, Up, Return, Escape) to the open pop-up menu of a
//                          running screencut
// instances note        — the text of the note a quick save shows, while it shows
// instances start PID   — presses the "开始截图" button of that process's main window
// instances message     — the text of a message box a running screencut shows, in UTF-8
// instances filename [TEXT] — the file name typed into a save dialog a running screencut shows;
//                          with TEXT, puts that name there instead, as an input method would
//                          commit it
// instances handles PID — "GDI USER PINS": that process's GDI and USER object counts (-1 when
//                          they cannot be counted) and its pinned captures on the screen
// Exit status 1 when the process has no main window, 2 on bad arguments.

#include <windows.h>

#include "support/ProcessHandles.h"
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <utility>
#include <vector>

namespace {

constexpr int kStartButtonId = 1001;
constexpr UINT kTrayCallbackMessage = WM_APP + 1;
constexpr UINT kTrayIconId = 1;

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

bool OverlayOpen(DWORD process) { return WindowsOfClass(process, "ScreenCutOverlay") > 0; }

std::vector<Instance> Instances() {
  std::vector<Instance> found;
  EnumWindows(CollectMain, reinterpret_cast<LPARAM>(&found));
  return found;
}


// A visible window of the given class that one of the programs shows; with control ids, the
// control of one of those ids that such a window holds.
struct WindowSearch {
  std::vector<DWORD> processes;
  const wchar_t* className;
  std::vector<int> controlIds;
  HWND found;
};

BOOL CALLBACK FindProgramWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<WindowSearch*>(data);
  wchar_t className[64] = {};
  GetClassNameW(window, className, 64);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (std::wcscmp(className, search->className) != 0 || !IsWindowVisible(window)) return TRUE;
  for (DWORD program : search->processes) {
    if (program != process) continue;
    if (search->controlIds.empty()) search->found = window;
    for (int id : search->controlIds)
      if (HWND control = GetDlgItem(window, id)) search->found = control;
  }
  return TRUE;
}

HWND ProgramWindow(const wchar_t* className, std::vector<int> controlIds = {}) {
  WindowSearch search{{}, className, std::move(controlIds), nullptr};
  for (const Instance& instance : Instances()) search.processes.push_back(instance.process);
  EnumWindows(FindProgramWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND MainOf(DWORD process) {
  for (const Instance& instance : Instances())
    if (instance.process == process) return instance.main;
  return nullptr;
}

UINT KeyNamed(const char* name) {
  if (std::strcmp(name, "Down") == 0) return VK_DOWN;
  if (std::strcmp(name, "Up") == 0) return VK_UP;
  if (std::strcmp(name, "Return") == 0) return VK_RETURN;
  if (std::strcmp(name, "Escape") == 0) return VK_ESCAPE;
  return 0;
}

void PrintUtf8(const wchar_t* text) {
  char utf8[4 * 4096] = {};
  WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
  std::fwrite(utf8, 1, std::strlen(utf8), stdout);
  std::fputc('\n', stdout);
}


}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "tray") == 0) {
    HWND main = MainOf(std::strtoul(argv[2], nullptr, 10));
    if (!main) return 1;
    const UINT click = std::strcmp(argv[3], "right") == 0 ? WM_RBUTTONUP : WM_LBUTTONUP;
    PostMessageW(main, kTrayCallbackMessage, kTrayIconId, click);
    return 0;
  }
  if (argc == 3 && std::strcmp(argv[1], "trayicon") == 0) {
    HWND main = MainOf(std::strtoul(argv[2], nullptr, 10));
    if (!main) return 1;
    // Changing nothing succeeds only for an icon that is there.
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = main;
    data.uID = kTrayIconId;
    return Shell_NotifyIconW(NIM_MODIFY, &data) ? 0 : 3;
  }
  if (argc >= 3 && std::strcmp(argv[1], "menukeys") == 0) {
    HWND menu = ProgramWindow(L"#32768");
    if (!menu) return 1;
    for (int i = 2; i < argc; ++i) {
      const UINT key = KeyNamed(argv[i]);
      if (!key) return 2;
      PostMessageW(menu, WM_KEYDOWN, key, 1);
      PostMessageW(menu, WM_KEYUP, key, 0xC0000001);
      Sleep(100);
    }
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "note") == 0) {
    HWND note = ProgramWindow(L"ScreenCutSavedNote");
    if (!note) return 1;
    wchar_t text[4096] = {};
    GetWindowTextW(note, text, 4096);
    PrintUtf8(text);
    return 0;
  }
  if (argc == 3 && std::strcmp(argv[1], "handles") == 0) {
    const DWORD process = std::strtoul(argv[2], nullptr, 10);
    const HandleCounts counts = CountHandles(process);
    std::printf("%lld %lld %d\n", counts.gdi, counts.user, WindowsOfClass(process, "ScreenCutPin"));
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "list") == 0) {
    for (const Instance& instance : Instances())
      std::printf("%lu %s %s %s %s\n", instance.process, IsWindowEnabled(instance.main) ? "enabled" : "disabled",
                  OverlayOpen(instance.process) ? "overlay" : "-", GetForegroundWindow() == instance.main ? "front" : "-",
                  IsWindowVisible(instance.main) ? "shown" : "hidden");
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
  if (argc == 3 && std::strcmp(argv[1], "filename") == 0) {
    HWND control = ProgramWindow(L"#32770", {0x47C, 0x480});
    if (!control) return 1;
    // The wide command line: the narrow one holds only what the code page can.
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments || count != 3) return 2;
    const LRESULT set = SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(arguments[2]),
                                            SMTO_ABORTIFHUNG, 2000, nullptr);
    LocalFree(arguments);
    return set ? 0 : 1;
  }
  if (argc == 2 && (std::strcmp(argv[1], "message") == 0 || std::strcmp(argv[1], "filename") == 0)) {
    // A message box's text is its static 0xFFFF; a save dialog's name box is cmb13 or edt1.
    const bool message = std::strcmp(argv[1], "message") == 0;
    HWND control = ProgramWindow(L"#32770", message ? std::vector<int>{0xFFFF} : std::vector<int>{0x47C, 0x480});
    if (!control) return 1;
    wchar_t text[4096] = {};
    SendMessageTimeoutW(control, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                        nullptr);
    PrintUtf8(text);
    return 0;
  }
  std::fprintf(stderr, "usage: instances list | start PID | message | filename [TEXT] | tray PID left|right | trayicon PID"
                       " | menukeys KEY... | note | handles PID\n");
  return 2;
}
