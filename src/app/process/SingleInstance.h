#pragma once
// One copy of the program per user session: a second start asks the first to show its main
// window and leaves.

#include <windows.h>

#include "gx/UniqueHandle.h"

// Held for the life of the first copy; the system lets it go with the process.
class InstanceLock {
 public:
  InstanceLock();
  // False when another copy of the program runs in this session.
  bool First() const { return first_; }

 private:
  KernelHandle mutex_;
  bool first_ = true;
};

// The message the first copy's main window takes as "show yourself".
UINT ShowMainWindowMessage();

// Asks the running copy to show its main window (and lets it come to the front).
void AskFirstToShow();
