#include "output/ChooseSaveFile.h"

#include "output/ReplaceQuestion.h"
#include "win/FileDialog.h"
#include "win/FileDialogText.h"
#include "win/FileReplacement.h"

const char kSaveFilter[] = "PNG (*.png)|*.png|BMP (*.bmp)|*.bmp|JPGE (*.jpg)|*.jpg|GIF (*.gif)|*.gif";

namespace {

bool IsExistingFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(FileSystemPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

SaveChoice ChooseSaveFile(HWND owner, const std::string& defaultName, SaveFile& chosen,
                          const std::string& startFolder) {
  FileDialog dialog;
  dialog.SetDefaultName(defaultName);
  // The preset name is the folder and the name joined; later presets carry their own folder.
  std::string folder = startFolder.empty() || startFolder.back() == '\\' ? startFolder : startFolder + "\\";
  for (;;) {
    const std::string shown = dialog.ShowSave(owner, "", kSaveFilter, folder, 0);
    folder.clear();
    if (shown.empty()) {
      chosen.path.clear();
      chosen.dialogError = dialog.GetError();
      return chosen.dialogError ? SaveChoice::Failed : SaveChoice::Dismissed;
    }
    chosen.path = dialog.GetChosenPath();
    chosen.filterIndex = dialog.GetFilterIndex();
    if (!IsExistingFile(chosen.path) || ConfirmReplace(owner, chosen.path)) return SaveChoice::Chosen;
    // Back to the dialog as the user left it: what was typed (with its folder) and the filter.
    const std::string extension = FilterExtension(kSaveFilter, chosen.filterIndex);
    dialog.SetDefaultName(shown.substr(0, shown.size() - extension.size()));
    dialog.SetStartFilterIndex(chosen.filterIndex);
  }
}
