#pragma once
// What the program is started with. It knows one argument, --tray (start with only the tray
// icon, as Windows starts it at sign-in); anything else is ignored.

#include <windows.h>

struct StartOptions {
  bool tray = false;
};

StartOptions ReadCommandLine(const wchar_t* commandLine);
