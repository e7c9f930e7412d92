#pragma once
// A made-up screen for the overlay to freeze: busy enough that every pixel differs from its
// neighbours, so nothing the overlay does can be cheaper than on a real desktop.

#include "gx/DibSurface.h"

// Paints the picture over the whole surface, every pixel opaque.
void PaintSyntheticScreen(const SurfaceBits& surface);
