#pragma once
// What finishing and saving give the user: the selection cut straight out of the frozen layer,
// so that it costs what the selection costs, whatever the size of the screen.
//
// The pixels are those the round trip through a BMP of the whole canvas and GDI+ gave: the frozen
// screen's blue, green and red with the fourth byte opaque, and black wherever the selection hangs
// over the screen's edge: transparent for the encoders, opaque on the clipboard, whose bitmap was
// decoded from a BMP file, which keeps no alpha.

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "app/CaptureState.h"

class GxBitmap;

enum class OffScreen { Transparent, Opaque };

// Writes the selection's pixels row by row, top row first, starting at `firstRow` with `stride`
// bytes from one row to the next. Nothing for an empty selection.
void ComposeSelection(const ScreenRect& selection, std::uint8_t* firstRow, std::ptrdiff_t stride,
                      OffScreen offScreen);

// The selection as a 32-bit ARGB bitmap, what the encoders are handed. False for an empty
// selection or when GDI+ cannot make the bitmap.
bool SelectionBitmap(const ScreenRect& selection, GxBitmap& bitmap);

// The selection as a new 32-bit DIB section, rows top-down, owned by the caller; null for an empty
// selection or when it cannot be made.
HBITMAP SelectionDib(const ScreenRect& selection);
