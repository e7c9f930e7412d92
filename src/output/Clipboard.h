#pragma once

#include <windows.h>

#include "gx/GxTypes.h"

#include <functional>
#include <string>

// Puts a device-dependent copy of a DIB section on the clipboard as CF_BITMAP, and offers
// `onDemand` (a registered format, when not 0) to be rendered by `owner` when a program asks for
// it. Another program may hold the clipboard for a while: tries again for about two seconds,
// handling the thread's messages meanwhile so that the program's windows keep painting. Returns
// whether the clipboard took the bitmap; the DIB section stays the caller's.
bool CopyDibToClipboard(HWND owner, HBITMAP dib, UINT onDemand = 0);

// Puts UTF-8 text on the clipboard as CF_UNICODETEXT, as patiently as CopyDibToClipboard; returns
// whether the clipboard took it.
bool CopyTextToClipboard(HWND owner, const std::string& text);

// Tells the user that the capture could not reach the clipboard and is still open (a message box;
// tests replace it). `reason` names why.
extern std::function<void(HWND owner, const std::string& reason)> ReportClipboardFailure;

struct OutputSource;
enum class ClipboardResult { Copied, Busy, NoImage };
// Finishing: the selection as the output composes it (OutputDib), on the clipboard; Busy when
// another program kept the clipboard, NoImage when the image could not be made. With a keeper
// (ClipboardPng.h) the keeper owns the clipboard and PNG is offered besides.
ClipboardResult CopySelectionToClipboard(HWND owner, const OutputSource& source);
// Why a copy that was not Copied failed, in the words ReportClipboardFailure shows.
std::string ClipboardFailureReason(ClipboardResult result);
