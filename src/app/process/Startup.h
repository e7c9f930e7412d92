#pragma once
// Process start: GDI+, started once and never shut down.

#include <windows.h>

// 0 while GDI+ has not been started.
extern ULONG_PTR GdiplusToken;

// Starts GDI+ unless it already runs; true when it runs.
bool StartGdiplus();
