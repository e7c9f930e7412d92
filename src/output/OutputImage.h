#pragma once
// What finishing and saving hand out, composed in one place: the selection of the frozen screen
// with its annotations over it, exactly as the overlay shows them there, and nothing else the
// overlay draws (dimming, frame, handles, label, toolbars, menu, magnifier).
//
// The selection is cut straight out of the frozen layer and the annotation layer, so it costs
// what the selection costs, whatever the size of the screen. Its bytes are those the way through
// a BMP file of the whole canvas and GDI+ gave: the colours the overlay shows, the fourth byte
// opaque, and black where the selection hangs over the screen's edge: transparent for the
// encoders, opaque on the clipboard, whose bitmap was decoded from a BMP file, which keeps no
// alpha.

#include <windows.h>

#include "win/ScreenRect.h"

class GxBitmap;
class GxGraphics;

// What the output is made of: the frozen screen (a surface at 1:1), the kept annotations over it
// (a surface of the same size with premultiplied alpha, or none), and the selection.
struct OutputSource {
  GxGraphics& frozen;
  const GxGraphics* annotations;
  ScreenRect selection;
};

// The selection as a new 32-bit DIB section, rows top-down, owned by the caller: what the
// clipboard gets. Null for an empty selection or when it cannot be made.
HBITMAP OutputDib(const OutputSource& source);

// The selection as a 32-bit ARGB bitmap: what the encoders get. False for an empty selection or
// when it cannot be made.
bool OutputBitmap(const OutputSource& source, GxBitmap& bitmap);
