#pragma once
// The objects that live for the whole process: made empty at start, released at exit, and
// reused by every capture (each Create on them first deletes what they still hold).

#include <memory>

#include "gx/GxGraphics.h"
#include "gx/GxImage.h"
#include "gx/GxSolidBrush.h"
#include "gx/GxTypes.h"
#include "win/LayeredCanvas.h"
#include "win/WindowSubclass.h"

struct Globals {
  Bytes ScreenSnapshot;       // BMP file of the primary screen, taken when the overlay opens
  LayeredCanvas OverlayCanvas;  // what the overlay window shows
  GxImage SnapshotImage;      // the snapshot decoded, only while the layers are built
  GxGraphics FrozenLayer;     // the snapshot at 1:1 on a memory surface
  GxSolidBrush DimBrush;
  GxGraphics DimLayer;        // opaque black, blended at half strength over the frozen layer
  WindowSubclass OverlaySubclass;
};

// The process-wide objects; valid between CreateGlobals and ReleaseGlobals.
Globals& Objects();
bool GlobalsExist();
