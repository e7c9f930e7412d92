// Program entry: one copy per session; set up, show the main window (or only the tray icon),
// run until it closes.

#include <windows.h>

#include "app/process/CommandLine.h"
#include "app/process/MainWindow.h"
#include "app/process/SingleInstance.h"
#include "app/process/Startup.h"
#include "settings/CurrentSettings.h"
#include "settings/SettingsFile.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const InstanceLock lock;
  if (!lock.First()) {
    AskFirstToShow();
    return 0;
  }
  const StartOptions options = ReadCommandLine(GetCommandLineW());
  UseSettings(LoadSettings());
  StartGdiplus();  // never shut down: GDI+ objects may outlive any point we could pick
  if (options.tray) {
    TheMainWindow().LoadHidden();
  } else {
    TheMainWindow().Load(false);
  }
  return RunMessageLoop();
}
