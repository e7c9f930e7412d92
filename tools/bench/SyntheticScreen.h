#pragma once
// A made-up screen for the overlay to freeze: busy enough that every pixel differs from its
// neighbours, so nothing the overlay does can be cheaper than on a real desktop.

#include "gx/GxTypes.h"

// A complete 24-bit bottom-up BMP file of width × height.
Bytes SyntheticScreen(int width, int height);
