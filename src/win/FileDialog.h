#pragma once
// The system's open and save dialogs run from a few settings. Results (path, name, filter
// index) change only when a dialog ends with a file; a cancelled or failed dialog leaves them.
// Texts are UTF-8; the dialogs run as their UTF-16 (W) versions.

#include <windows.h>

#include <string>

class FileDialog {
 public:
  // In UTF-16 units. The save dialog's holds the longest path the system's file functions take.
  static constexpr std::size_t kOpenBufferSize = 98192;  // room for long multiple selections
  static constexpr std::size_t kSaveBufferSize = 32768;

  int GetFilterIndex() const { return filterIndex_; }
  // The filter the next dialog opens with (1-based); 0 lets the system take the first.
  void SetStartFilterIndex(int filterIndex) { startFilterIndex_ = filterIndex; }
  DWORD GetFlags() const { return flags_; }
  void SetTitle(const std::string& title) { title_ = title; }
  std::string GetTitle() const { return title_; }
  void SetFlags(DWORD flags) { flags_ = flags; }
  // Clears the settings and the chosen path; the chosen name and the default name stay.
  void ResetDialog();
  std::string GetChosenPath() const { return chosenPath_; }
  std::string GetChosenName() const { return chosenName_; }
  void SetDefaultName(const std::string& name) { defaultName_ = name; }
  void SetFilter(const std::string& filter) { filter_ = filter; }
  std::string GetFilter() const { return filter_; }
  void SetInitialDir(const std::string& directory) { initialDir_ = directory; }
  std::string GetInitialDir() const { return initialDir_; }

  // A null owner, empty texts and zero flags take the settings above. The dialogs add no
  // flags of their own. Both return an empty text when the user cancels and when the dialog
  // fails; GetError tells the two apart.
  // Open: one path, or several joined by ";" (with OFN_ALLOWMULTISELECT | OFN_EXPLORER).
  std::string ShowOpen(HWND owner = nullptr, const std::string& title = {}, const std::string& filter = {},
                       const std::string& initialDir = {}, DWORD flags = 0);
  // Save: the chosen path with the chosen filter's extension; the file to write is
  // GetChosenPath.
  std::string ShowSave(HWND owner = nullptr, const std::string& title = {}, const std::string& filter = {},
                       const std::string& initialDir = {}, DWORD flags = 0);
  // Why the last dialog ended without a file: 0 for a cancel, else the dialog's error code
  // (CommDlgExtendedError; FNERR_INVALIDFILENAME also for a path that UTF-8 cannot carry).
  DWORD GetError() const { return error_; }

 private:
  struct Request;
  Request Prepare(HWND owner, const std::string& title, const std::string& filter, const std::string& initialDir,
                  DWORD flags, std::size_t bufferSize) const;

  HWND owner_ = nullptr;
  std::string title_;
  std::string filter_;
  int filterIndex_ = 0;
  int startFilterIndex_ = 0;
  DWORD error_ = 0;
  std::string initialDir_;
  DWORD flags_ = 0;
  std::string chosenPath_;
  std::string chosenName_;
  std::string defaultName_;
};
