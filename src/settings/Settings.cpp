#include "settings/Settings.h"

bool Settings::operator==(const Settings& other) const {
  return captureHotKey == other.captureHotKey && quickSaveFolder == other.quickSaveFolder &&
         namePattern == other.namePattern && quickSaveFormat == other.quickSaveFormat &&
         jpegQuality == other.jpegQuality && copyWhenSaving == other.copyWhenSaving &&
         showMagnifier == other.showMagnifier;
}
