#pragma once
// The objects that live for the whole process: made empty at start, released at exit, and
// reused by every capture (each Create on them first deletes what they still hold).

#include <memory>

#include "gx/GxTypes.h"

struct Globals {
  Bytes ScreenSnapshot;  // BMP file of the primary screen, taken when the overlay opens
};

// The process-wide objects; valid between CreateGlobals and ReleaseGlobals.
Globals& Objects();
bool GlobalsExist();
