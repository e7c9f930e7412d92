// Test entry: GDI+ and the process objects exist before any case runs, as in the program.

#include <gtest/gtest.h>

#include <cstdlib>

#include <string>

#include "app/input/OverlayWindowProc.h"
#include "app/process/Startup.h"
#include "gx/GxText.h"
#include "output/Clipboard.h"
#include "settings/CurrentSettings.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (!StartGdiplus()) {
    fprintf(stderr, "GDI+ could not be started\n");
    return 1;
  }
  // A message box would wait for a click no test gives: what would be shown is printed instead.
  ReportClipboardFailure = [](HWND, const std::string& reason) { fprintf(stderr, "clipboard: %s\n", reason.c_str()); };
  ReportUnexpectedFailure = [](HWND, const std::string& what) { fprintf(stderr, "unexpected: %s\n", what.c_str()); };
  // A quick save pressed by a test writes into a folder of the tests', not the user's pictures.
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  Settings settings;
  settings.quickSaveFolder = WideToUtf8(temp) + "screencut-test-quick-saves";
  UseSettings(settings);
  return RUN_ALL_TESTS();
}
