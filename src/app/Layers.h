#pragma once
// The layers of a capture (the frozen screen, and for the plain full redraw the dimming layer)
// and the repaint every frame starts with.

#include <windows.h>

#include <cstdint>

// GDI colour 0x00BBGGRR to GDI+ 0xAARRGGBB; alpha 255 unless one is given.
std::uint32_t ArgbFromColorRef(COLORREF colour, int alpha = 255, bool alphaGiven = false);

// Copies the screen into a new frozen layer of the screen's size, while the overlay is hidden.
void FreezeScreen();

// Attaches the canvas to the overlay and paints the dimmed screen on it; the window gets it with
// its first push, once it is shown.
void BuildLayers(HWND overlay);

// The whole canvas from the layers: the frozen screen, dimmed.
void RepaintBase();
