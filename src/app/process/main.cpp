// Program entry: set up, show the main window, run until it closes.

#include <windows.h>

#include "app/process/MainWindow.h"
#include "app/process/Startup.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  StartGdiplus();  // never shut down: GDI+ objects may outlive any point we could pick
  TheMainWindow().Load(false);
  return RunMessageLoop();
}
