#pragma once
// The system's open and save dialogs run from a few settings. Results (path, name, filter
// index) change only when a dialog ends with a file; a cancelled or failed dialog leaves them.

#include <windows.h>

#include <string>

class FileDialog {
 public:
  static constexpr std::size_t kOpenBufferSize = 98192;  // room for long multiple selections
  static constexpr std::size_t kSaveBufferSize = 255;

  int GetFilterIndex() const { return filterIndex_; }
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
  // flags of their own. Both return an empty text when the user cancels.
  // Open: one path, or several joined by ";" (with OFN_ALLOWMULTISELECT | OFN_EXPLORER).
  std::string ShowOpen(HWND owner = nullptr, const std::string& title = {}, const std::string& filter = {},
                       const std::string& initialDir = {}, DWORD flags = 0);
  // Save: the chosen path with the chosen filter's extension; the file to write is
  // GetChosenPath.
  std::string ShowSave(HWND owner = nullptr, const std::string& title = {}, const std::string& filter = {},
                       const std::string& initialDir = {}, DWORD flags = 0);

 private:
  struct Request;
  Request Prepare(HWND owner, const std::string& title, const std::string& filter, const std::string& initialDir,
                  DWORD flags, std::size_t bufferSize) const;

  HWND owner_ = nullptr;
  std::string title_;
  std::string filter_;
  int filterIndex_ = 0;
  std::string initialDir_;
  DWORD flags_ = 0;
  std::string chosenPath_;
  std::string chosenName_;
  std::string defaultName_;
};
