#pragma once
// What a process holds of the system's GDI and USER objects, for the leak checks of the tests
// (in their own process) and of the black-box tests (in the program, from outside). Where
// GetGuiResources answers 0 (Wine), the GDI objects are counted in Wine's handle table of the
// process and the USER objects stand in as its windows; -1 when there is no way to count.

#include <windows.h>

// The used rows of Wine's GDI handle table of `process`; -1 when it cannot be read.
long long CountWineGdiHandles(HANDLE process);
// Whether that table, read in this process, sees a handful of new bitmaps come and go.
bool WineGdiTableWorks();
// The process's windows, top-level and child.
long long CountProcessWindows(DWORD processId);

struct HandleCounts {
  long long gdi = -1;
  long long user = -1;
};
HandleCounts CountHandles(DWORD processId);
