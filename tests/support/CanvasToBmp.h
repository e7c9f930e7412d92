#pragma once

#include <windows.h>

#include "gx/GxTypes.h"

// A 32-bit bottom-up BMP file of the top-left width × height pixels of a device context.
Bytes CanvasToBmp(HDC source, int width, int height);

// The file and info headers of a BMP of that size and bit count (colour table sized by the
// bit count: 1 → 8, 4 → 64, 8 → 1024 bytes, otherwise none).
Bytes BmpHeaders(int width, int height, int bitCount);

// The bitmap that image bytes decode to, on the clipboard as CF_BITMAP (the way finishing went
// before it composed the selection itself).
bool CopyBitmapToClipboard(HWND owner, const Bytes& image);
