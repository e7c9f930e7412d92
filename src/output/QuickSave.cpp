#include "output/QuickSave.h"

#include "output/ChooseSaveFile.h"
#include "output/EncodeForFile.h"
#include "output/SaveCapture.h"
#include "settings/FreeFileName.h"
#include "settings/QuickSaveFolder.h"
#include "win/FileDialogText.h"
#include "win/FileReplacement.h"

namespace {

// Names taken between our look and our write (another program, or a quick save in the same
// second in another copy) are passed over, a few times.
constexpr int kWriteAttempts = 5;

}  // namespace

std::string QuickSaveSelection(const OutputSource& source, const Settings& settings, const SYSTEMTIME& time) {
  const std::string folder = QuickSaveFolder(settings);
  if (folder.empty()) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return std::string();
  }
  if (!MakeFolder(folder)) return std::string();
  const int filter = static_cast<int>(settings.quickSaveFormat);
  std::string format = FormatForFilter(filter);
  const Bytes encoded = EncodeForFile(source, format, settings.jpegQuality);
  if (encoded.empty()) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return std::string();
  }
  const std::string extension = FilterExtension(kSaveFilter, filter);
  for (int attempt = 0; attempt < kWriteAttempts; ++attempt) {
    const std::string path = NextFreeName(folder, settings.namePattern, time, extension);
    if (path.empty()) {
      SetLastError(ERROR_FILE_EXISTS);
      return std::string();
    }
    if (WriteNewFile(path, encoded)) return path;
    if (GetLastError() != ERROR_ALREADY_EXISTS && GetLastError() != ERROR_FILE_EXISTS) return std::string();
  }
  return std::string();
}
