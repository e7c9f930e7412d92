#pragma once
// Asks for the file a capture is saved to. The name the user types and the chosen filter decide
// the file (the filter's extension replaces whatever follows the first dot), so the question
// before replacing a file is asked here, about that file, rather than by the dialog about what
// was typed.

#include <windows.h>

#include <string>

// The dialog's filter: its index decides the format and the extension.
extern const char kSaveFilter[];

enum class SaveChoice { Chosen, Dismissed, Failed };

struct SaveFile {
  std::string path;      // the file to write, UTF-8
  int filterIndex = 0;   // 1-based
  DWORD dialogError = 0;  // why the dialog failed (SaveChoice::Failed)
};

// Runs the save dialog until the user names a file that does not exist yet or agrees to replace
// the one that does; answering No brings the dialog back with the same folder, name and filter.
// The first dialog opens in `startFolder` when one is given, else where the system chooses.
SaveChoice ChooseSaveFile(HWND owner, const std::string& defaultName, SaveFile& chosen,
                          const std::string& startFolder = {});
