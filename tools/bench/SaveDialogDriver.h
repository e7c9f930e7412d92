#pragma once
// Answers the save dialog from a second thread, as a user would: types a file name and presses
// the dialog's button, noting the moment of the press. A dialog that has not appeared after the
// time limit, or that stays open, is cancelled, so a broken run cannot hang the benchmark.

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

class SaveDialogDriver {
 public:
  // `path` without extension: the dialog's first filter (PNG) adds it.
  explicit SaveDialogDriver(std::string path);
  ~SaveDialogDriver();
  SaveDialogDriver(const SaveDialogDriver&) = delete;
  SaveDialogDriver& operator=(const SaveDialogDriver&) = delete;

  // Call once the dialog call has returned: when the button was pressed (NowMs), or a
  // negative value when the dialog had to be cancelled.
  double Finish();

 private:
  void Run();

  DWORD ownerThread_;
  std::string path_;
  std::atomic<bool> stop_{false};
  std::atomic<double> pressedAt_{-1};
  std::thread thread_;
};
