#pragma once
// The one look at the live screen per capture: a BMP file of the primary screen.

#include <functional>

#include "gx/GxTypes.h"

// A complete 24-bit bottom-up BMP file of the primary screen; empty when the copy failed.
Bytes TakeScreenSnapshot();

// What the overlay takes when it opens; tests put a known picture here.
extern std::function<Bytes()> ScreenSnapshotSource;
