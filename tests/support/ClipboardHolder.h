#pragma once
// Another process that holds the clipboard open for a while (tools/clipholder, built next to
// the tests), so that a test can meet a clipboard it cannot open at once.

#include <windows.h>

#include <string>

class ClipboardHolder {
 public:
  // Starts the helper and waits until it holds the clipboard (at most a few seconds).
  explicit ClipboardHolder(DWORD holdMilliseconds);
  // Waits for the helper to let go (it was told for how long), ending it if it hangs.
  ~ClipboardHolder();
  ClipboardHolder(const ClipboardHolder&) = delete;
  ClipboardHolder& operator=(const ClipboardHolder&) = delete;

  // True once the helper has the clipboard open; the error text says why not otherwise.
  bool Holding() const { return holding_; }
  const std::string& Error() const { return error_; }
  // True while the helper runs: it lets go of the clipboard only just before it ends.
  bool StillHolding() const;
  // Waits until the helper has closed the clipboard and exited; its exit code, or -1.
  int WaitForRelease();

 private:
  DWORD hold_;
  PROCESS_INFORMATION process_{};
  bool holding_ = false;
  std::string error_;
};
