#pragma once
// What another process holds of the system's GDI and USER objects, seen from outside. Where
// GetGuiResources answers 0 (Wine), the GDI objects are counted in Wine's handle table of that
// process and the USER objects stand in as its windows; -1 when there is no way to count.

#include <windows.h>

struct HandleCounts {
  long long gdi = -1;
  long long user = -1;
};

HandleCounts CountHandles(DWORD process);
