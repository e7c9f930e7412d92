#pragma once
// Starting with Windows: a value under HKCU\...\Run with the program's quoted path and --tray.

// Whether the value is there.
bool StartsWithWindows();
// Writes or removes the value; false when the registry refused.
bool SetStartWithWindows(bool start);
