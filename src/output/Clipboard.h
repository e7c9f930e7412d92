#pragma once

#include <windows.h>

#include "gx/GxTypes.h"

// Puts a device-dependent copy of a DIB section on the clipboard as CF_BITMAP. Another program may
// hold the clipboard for a moment: retries for about half a second. Returns whether the clipboard
// took the bitmap; the DIB section stays the caller's.
bool CopyDibToClipboard(HWND owner, HBITMAP dib);

struct OutputSource;
// Finishing: the selection as the output composes it (OutputDib), on the clipboard.
bool CopySelectionToClipboard(HWND owner, const OutputSource& source);
