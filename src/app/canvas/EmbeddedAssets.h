#pragma once
// The artwork inside the .exe.

#include <windows.h>

#include "gx/GxTypes.h"

// The bytes of an RCDATA resource (an encoded image); empty when it is missing.
Bytes ResourceBytes(int id);
// The resource decoded into a new GDI bitmap owned by the caller; null on failure.
HBITMAP ResourceBitmap(int id);
// The overlay's own arrow pointer (the embedded cursor), loaded once.
HCURSOR OverlayCursor();
