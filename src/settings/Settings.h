#pragma once
// What the user can change and the program keeps between runs. A user who never changes
// anything gets these defaults, and no file is written for them.

#include <string>

#include "settings/HotKey.h"
#include "settings/NamePattern.h"

// Numbered as the save dialog's filter list, so FormatForFilter takes them as they are.
enum class ImageFormat { Png = 1, Bmp = 2, Jpeg = 3, Gif = 4 };

struct Settings {
  HotKey captureHotKey;                       // Ctrl+Alt+A
  std::string quickSaveFolder;                // empty: the user's Pictures folder + \截图
  std::string namePattern = kDefaultNamePattern;
  ImageFormat quickSaveFormat = ImageFormat::Png;
  int jpegQuality = 90;                       // 1 to 100
  bool copyWhenSaving = false;                // quick save also puts the selection on the clipboard
  bool showMagnifier = true;

  bool operator==(const Settings& other) const;
  bool operator!=(const Settings& other) const { return !(*this == other); }
};
