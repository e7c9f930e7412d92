#pragma once
// The clipboard's PNG, for programs that read only that: promised when a capture finishes and
// made only when a program asks, so finishing costs what it cost before. A window that lives as
// long as the program (the keeper) owns the clipboard and answers the system's requests from a
// kept copy of the finished picture.

#include <windows.h>

#include "gx/UniqueHandle.h"

// The registered clipboard format "PNG".
UINT PngClipboardFormat();

// The keeper window; none (null) leaves the clipboard as it was: CF_BITMAP alone.
void SetClipboardKeeper(HWND keeper);
HWND ClipboardKeeper();

// The picture the promised formats are made from (a 32-bit DIB section, top-down).
void KeepForRendering(GdiObject<HBITMAP> dib);

// The keeper's answers: WM_RENDERFORMAT (puts the format on the open clipboard),
// WM_RENDERALLFORMATS (opens the clipboard and renders what it still owns), WM_DESTROYCLIPBOARD
// (another program took the clipboard: the kept picture goes).
void RenderClipboardFormat(UINT format);
void RenderAllClipboardFormats();
void ForgetClipboardPicture();
