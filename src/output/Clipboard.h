#pragma once

#include <windows.h>

#include "gx/GxTypes.h"

// Puts a device-dependent copy of a DIB section on the clipboard as CF_BITMAP. Another program may
// hold the clipboard for a moment: retries for about half a second. Returns whether the clipboard
// took the bitmap; the DIB section stays the caller's.
bool CopyDibToClipboard(HWND owner, HBITMAP dib);
// The same for the bitmap that image bytes decode to.
bool CopyBitmapToClipboard(HWND owner, const Bytes& image);
