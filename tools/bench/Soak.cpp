#include "Soak.h"

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "Samples.h"
#include "SaveDialogDriver.h"
#include "SyntheticScreen.h"
#include "app/capture/CaptureSession.h"
#include "app/desktop/Desktop.h"
#include "app/process/CaptureOverlay.h"
#include "support/ResourceCounters.h"

namespace {

constexpr int kSaveButtonDx = 181;  // in the toolbar
constexpr int kReselectRowDy = 150;  // in the context menu

enum class Ending { Finish, Save, Cancel, Reselect, AltF4 };
constexpr Ending kEndings[] = {Ending::Finish, Ending::Save, Ending::Cancel, Ending::Reselect, Ending::AltF4};

HWND Overlay() { return TheOverlay().Handle(); }

void Send(UINT message, int x, int y, WPARAM wParam = 0) {
  OverrideCursorPosition(POINT{x, y});
  if (Overlay()) SendMessageA(Overlay(), message, wParam, MAKELPARAM(x, y));
}

void Drag(int x1, int y1, int x2, int y2) {
  Send(WM_MOUSEMOVE, x1, y1);
  Send(WM_LBUTTONDOWN, x1, y1, MK_LBUTTON);
  Send(WM_MOUSEMOVE, x2, y2, MK_LBUTTON);
  Send(WM_LBUTTONUP, x2, y2);
}

// A key as the keyboard would give it, with Ctrl held or not.
void Key(WPARAM key, bool control = false) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  const BYTE before = keys[VK_CONTROL];
  keys[VK_CONTROL] = control ? 0x80 : 0;
  SetKeyboardState(keys);
  if (Overlay()) SendMessageA(Overlay(), WM_KEYDOWN, key, 1);
  keys[VK_CONTROL] = before;
  SetKeyboardState(keys);
}

void Click(int x, int y) {
  Send(WM_MOUSEMOVE, x, y);
  Send(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
  Send(WM_LBUTTONUP, x, y);
}

void Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// One tool (they take turns across captures) used inside the selection, then undo and redo.
void Annotate(int capture, int left, int top, int right, int bottom) {
  constexpr char kToolKeys[] = {'R', 'E', 'A', 'L', 'P', 'H', 'M', 'B', 'T'};
  const char key = kToolKeys[capture % sizeof kToolKeys];
  const int w = right - left, h = bottom - top;
  Key(static_cast<WPARAM>(key));
  if (key == 'T') {
    Click(left + w / 3, top + h / 3);
    for (const char letter : {'s', 'o', 'a', 'k'}) SendMessageW(Overlay(), WM_CHAR, static_cast<WPARAM>(letter), 1);
    Click(left - 10, top - 10);  // off the selection: the text box is done with, its text kept
  } else {
    Drag(left + w / 4, top + h / 4, left + w * 3 / 4, top + h * 2 / 3);
  }
  Key(static_cast<WPARAM>(key));
  Key('Z', true);
  Key('Y', true);
}

bool End(Ending ending, int left, int top, int right, int bottom, const std::string& saveDir, int capture) {
  const int x = (left + right) / 2, y = (top + bottom) / 2;
  switch (ending) {
    case Ending::Finish:
      Send(WM_MOUSEMOVE, x, y);
      Send(WM_LBUTTONDBLCLK, x, y, MK_LBUTTON);
      break;
    case Ending::Save: {
      const ScreenRect toolbar = CurrentSession()->state.ToolbarRect;
      const std::string path = saveDir + "soak" + std::to_string(capture);
      SaveDialogDriver dialog(path);
      Click(toolbar.left + kSaveButtonDx, toolbar.top + 12);
      const bool saved = dialog.Finish() >= 0;
      DeleteFileA((path + ".png").c_str());
      if (!saved) return false;
      break;
    }
    case Ending::Cancel: Key(VK_ESCAPE); break;
    case Ending::Reselect: {
      Send(WM_RBUTTONDOWN, x, y, MK_RBUTTON);
      Send(WM_RBUTTONUP, x, y);
      const ScreenRect menu = CurrentSession()->state.MenuRect;
      Click(menu.left + 60, menu.top + kReselectRowDy);
      if (!Overlay() || CurrentSession()->state.SelectionMade()) return false;
      Drag(left, top, right, bottom);
      Send(WM_MOUSEMOVE, x, y);
      Send(WM_LBUTTONDBLCLK, x, y, MK_LBUTTON);
      break;
    }
    case Ending::AltF4:
      SendMessageA(Overlay(), WM_SYSKEYDOWN, VK_F4, static_cast<LPARAM>(KF_ALTDOWN) << 16 | 1);
      Pump();
      break;
  }
  return !TheOverlay().IsLoaded();
}

// Wine answers 0 to GetProcessHandleCount; its list of every process's handles says more.
std::int64_t HandleCount() {
  DWORD count = 0;
  if (GetProcessHandleCount(GetCurrentProcess(), &count) && count > 0) return count;
  struct Entry {
    ULONG owner;
    BYTE type, flags;
    USHORT value;
    PVOID object;
    ACCESS_MASK access;
  };
  struct List {
    ULONG count;
    Entry entries[1];
  };
  using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
  const auto query = reinterpret_cast<Query>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
  if (!query) return -1;
  constexpr ULONG kSystemHandleInformation = 16;
  std::vector<BYTE> buffer(1 << 20);
  for (int attempt = 0; attempt < 6; ++attempt) {
    ULONG needed = 0;
    const LONG status = query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
    if (status == 0) {
      const auto* list = reinterpret_cast<const List*>(buffer.data());
      std::int64_t own = 0;
      for (ULONG i = 0; i < list->count; ++i) own += list->entries[i].owner == GetCurrentProcessId();
      return own;
    }
    buffer.resize(std::max<size_t>(buffer.size() * 2, needed + 4096));
  }
  return -1;
}

std::int64_t ThreadCount() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return -1;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  std::int64_t count = 0;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
    count += entry.th32OwnerProcessID == GetCurrentProcessId();
  CloseHandle(snapshot);
  return count;
}

SoakRow Measure(int captures, double msPerCapture) {
  const ResourceLevels levels = MeasureResources();
  SoakRow row;
  row.captures = captures;
  row.gdiObjects = levels.gdiObjects;
  row.userObjects = levels.userObjects;
  row.handles = HandleCount();
  row.threads = ThreadCount();
  row.privateMb = levels.privateBytes < 0 ? -1 : levels.privateBytes / (1024.0 * 1024.0);
  row.msPerCapture = msPerCapture;
  return row;
}

}  // namespace

SoakResults RunSoak(int captures, int every, const std::string& saveDir) {
  FreezeSyntheticScreen();
  SoakResults results;
  results.gdiSource = ResourceCounters().gdiSource;
  results.userSource = ResourceCounters().userSource;
  results.memorySource = ResourceCounters().memorySource;
  results.rows.push_back(Measure(0, 0));
  const int width = ScreenWidth(), height = ScreenHeight();
  double since = NowMs();
  for (int capture = 1; capture <= captures; ++capture) {
    OverrideCursorPosition(POINT{width / 2, height / 2});
    if (!TheOverlay().Load(false)) {
      ++results.failures;
      continue;
    }
    const int left = width / 8 + (capture * 37) % (width / 4), top = height / 8 + (capture * 53) % (height / 4);
    const int right = left + width / 4 + (capture * 29) % 200, bottom = top + height / 4 + (capture * 17) % 150;
    Send(WM_MOUSEMOVE, left - 20, top - 20);
    Drag(left, top, right, bottom);
    Annotate(capture, left, top, right, bottom);
    if (!End(kEndings[capture % 5], left, top, right, bottom, saveDir, capture)) {
      ++results.failures;
      if (TheOverlay().IsLoaded()) Key(VK_ESCAPE);
    }
    Pump();
    if (capture % every == 0) {
      const double now = NowMs();
      results.rows.push_back(Measure(capture, (now - since) / every));
      std::fprintf(stderr, "bench: soak %d captures\n", capture);
      since = NowMs();
    }
  }
  OverrideCursorPosition(std::nullopt);
  return results;
}

std::string SoakJson(int width, int height, const SoakResults& results) {
  std::ostringstream json;
  json << "{\"width\": " << width << ", \"height\": " << height << ", \"failures\": " << results.failures
       << ", \"gdiSource\": \"" << results.gdiSource << "\", \"userSource\": \"" << results.userSource
       << "\", \"memorySource\": \"" << results.memorySource << "\", \"rows\": [";
  for (size_t i = 0; i < results.rows.size(); ++i) {
    const SoakRow& row = results.rows[i];
    json << (i ? ", " : "") << "{\"captures\": " << row.captures << ", \"gdi\": " << row.gdiObjects
         << ", \"user\": " << row.userObjects << ", \"handles\": " << row.handles << ", \"threads\": " << row.threads
         << ", \"privateMb\": " << row.privateMb << ", \"msPerCapture\": " << row.msPerCapture << "}";
  }
  json << "]}";
  return json.str();
}

void PrintSoak(const SoakResults& results) {
  std::printf("%10s %8s %8s %8s %8s %12s %14s\n", "captures", "GDI", "USER", "handles", "threads", "private MB",
              "ms / capture");
  for (const SoakRow& row : results.rows)
    std::printf("%10d %8lld %8lld %8lld %8lld %12.1f %14.1f\n", row.captures, static_cast<long long>(row.gdiObjects),
                static_cast<long long>(row.userObjects), static_cast<long long>(row.handles),
                static_cast<long long>(row.threads), row.privateMb, row.msPerCapture);
  std::printf("captures that did not end as driven: %d\n", results.failures);
}
