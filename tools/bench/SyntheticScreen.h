#pragma once
// A made-up screen for the overlay to freeze: busy enough that every pixel differs from its
// neighbours, so nothing the overlay does can be cheaper than on a real desktop.

#include "gx/DibSurface.h"

// Paints the picture over the whole surface, every pixel opaque.
void PaintSyntheticScreen(const SurfaceBits& surface);

// From now on every capture freezes the picture: the program still takes its own copy of the
// screen, which is part of opening, and the picture is painted over it (a few ms more, counted in
// opening too).
void FreezeSyntheticScreen();
