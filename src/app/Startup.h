#pragma once
// Process start and exit: GDI+ (started once, never shut down) and the long-lived objects.

#include <windows.h>

// 0 while GDI+ has not been started.
extern ULONG_PTR GdiplusToken;

// Starts GDI+ unless it already runs; true when it runs.
bool StartGdiplus();

void CreateGlobals();
void ReleaseGlobals();
