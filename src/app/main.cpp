// Program entry: set up, show the main window, run until it closes.

#include <windows.h>

#include <cstdlib>

#include "app/MainWindow.h"
#include "app/Startup.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  CreateGlobals();
  std::atexit(ReleaseGlobals);
  StartGdiplus();  // never shut down: GDI+ objects may outlive any point we could pick
  TheMainWindow().Load(false);
  return RunMessageLoop();
}
