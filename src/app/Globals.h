#pragma once
// The objects that live for the whole process: made empty at start, released at exit, and
// reused by every capture (each Create on them first deletes what they still hold).

#include <memory>

#include "gx/GxGraphics.h"
#include "win/LayeredCanvas.h"
#include "win/WindowSubclass.h"

struct Globals {
  LayeredCanvas OverlayCanvas;  // what the overlay window shows
  GxGraphics FrozenLayer;       // the screen at 1:1, copied when the overlay opens
  // Opaque black, blended at half strength over the frozen layer by the plain full redraw only
  // (RedrawMode::Full); the program's redraw computes the same bytes without it.
  GxGraphics DimLayer;
  WindowSubclass OverlaySubclass;
};

// The process-wide objects; valid between CreateGlobals and ReleaseGlobals.
Globals& Objects();
bool GlobalsExist();
