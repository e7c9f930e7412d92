#pragma once
// Drives a system file dialog opened by the test thread from a second thread, as a user would:
// types a name, picks a filter, presses a button. A dialog still open after the time limit is
// cancelled, so a failing case never leaves the suite waiting.

#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

// Talking to a dialog of another thread; texts are UTF-8.
HWND FileNameBox(HWND dialog);
std::string WindowText(HWND window);
void TypeFileName(HWND dialog, const std::string& text);
void ChooseFilter(HWND dialog, int filterIndex);  // 1-based, as the dialog reports it
void PressButton(HWND dialog, int buttonId);

class DialogDriver {
 public:
  using Script = std::function<void(HWND dialog)>;

  explicit DialogDriver(Script script, std::chrono::milliseconds limit = std::chrono::seconds(15));
  // One script for each dialog that opens, in turn (a dialog that comes back counts again).
  explicit DialogDriver(std::vector<Script> scripts, std::chrono::milliseconds limit = std::chrono::seconds(15));
  ~DialogDriver();
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  // Call once the dialog call has returned; true when every script ran (no forced cancel).
  bool Finish();
  // What the first dialog showed when its script started.
  std::string caption;
  std::string nameBoxText;
  // The name box of every dialog scripted, in turn.
  std::vector<std::string> nameBoxTexts;

 private:
  void Stop();
  void Run();

  DWORD ownerThread_;
  std::vector<Script> scripts_;
  std::chrono::milliseconds limit_;
  std::atomic<bool> finished_{false};
  std::atomic<bool> scriptRan_{false};
  std::atomic<bool> forcedCancel_{false};
  std::thread thread_;
};

// A private temporary directory (with a trailing backslash), removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return path_; }
  std::string Touch(const std::string& name) const;
  std::string Subdirectory(const std::string& name) const;

 private:
  std::string path_;
};
