#pragma once

#include <windows.h>

#include "gx/GxTypes.h"

// Decodes the image bytes into a bitmap and puts it on the clipboard as CF_BITMAP. Another
// program may hold the clipboard for a moment: retries for about half a second. Returns whether
// the clipboard took the bitmap.
bool CopyBitmapToClipboard(HWND owner, const Bytes& image);
