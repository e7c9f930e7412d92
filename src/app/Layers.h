#pragma once
// The two full-screen background layers of a capture and the repaint every frame starts with.

#include <windows.h>

#include <cstdint>

class GxGraphics;

// GDI colour 0x00BBGGRR to GDI+ 0xAARRGGBB; alpha 255 unless one is given.
std::uint32_t ArgbFromColorRef(COLORREF colour, int alpha = 255, bool alphaGiven = false);

// Attaches the canvas to the overlay, builds the frozen and the dimming layer from the
// snapshot and presents the dimmed screen.
void BuildLayers(HWND overlay);

// The whole canvas from the two layers: the frozen screen, then black at alpha 128.
void RepaintBase();

// Blends one screen-sized layer over the whole canvas with a constant alpha, bypassing the
// redraw bookkeeping: only while the layers are built.
void BlendLayer(const GxGraphics& layer, int alpha);
