#include "support/ClipboardHolder.h"

#include <vector>

namespace {

std::string HelperPath() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string directory(path);
  directory.resize(directory.find_last_of("\\/") + 1);
  return directory + "clipholder.exe";
}

class EventHandle {
 public:
  explicit EventHandle(const std::string& name) : handle_(CreateEventA(nullptr, TRUE, FALSE, name.c_str())) {}
  ~EventHandle() {
    if (handle_) CloseHandle(handle_);
  }
  EventHandle(const EventHandle&) = delete;
  EventHandle& operator=(const EventHandle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

}  // namespace

ClipboardHolder::ClipboardHolder(DWORD holdMilliseconds) : hold_(holdMilliseconds) {
  static int started = 0;
  const std::string eventName =
      "screencut-clipholder-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++started);
  EventHandle ready(eventName);
  const std::string helper = HelperPath();
  std::string commandLine = "\"" + helper + "\" " + std::to_string(holdMilliseconds) + " " + eventName;
  std::vector<char> mutableLine(commandLine.begin(), commandLine.end());
  mutableLine.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (!ready.get() || !CreateProcessA(helper.c_str(), mutableLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                                      nullptr, nullptr, &startup, &process_)) {
    error_ = "cannot start " + helper + " (error " + std::to_string(GetLastError()) + ")";
    process_ = PROCESS_INFORMATION{};
    return;
  }
  HANDLE waits[] = {ready.get(), process_.hProcess};
  const DWORD woke = WaitForMultipleObjects(2, waits, FALSE, 10000);
  holding_ = woke == WAIT_OBJECT_0;
  if (woke == WAIT_OBJECT_0 + 1)
    error_ = "the helper ended without taking the clipboard";
  else if (!holding_)
    error_ = "the helper did not take the clipboard in time";
}

bool ClipboardHolder::StillHolding() const {
  return holding_ && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

int ClipboardHolder::WaitForRelease() {
  if (!process_.hProcess) return -1;
  if (WaitForSingleObject(process_.hProcess, hold_ + 5000) != WAIT_OBJECT_0) {
    TerminateProcess(process_.hProcess, 3);
    WaitForSingleObject(process_.hProcess, 5000);
  }
  DWORD code = static_cast<DWORD>(-1);
  GetExitCodeProcess(process_.hProcess, &code);
  return static_cast<int>(code);
}

ClipboardHolder::~ClipboardHolder() {
  if (!process_.hProcess) return;
  WaitForRelease();
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}
