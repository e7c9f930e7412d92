#pragma once
// The toolbar's look, which the style bar under it shares: a rounded light-blue box with a thin
// blue outline, and a darker rounded highlight behind a button.

#include "app/capture/CaptureState.h"

class GxGraphics;

// The box over the whole surface; its right side lies outside the surface, as the toolbar's does.
void PaintToolbarBox(GxGraphics& surface);
// A button's highlight over x1, y1, x2, y2 of the surface.
void PaintToolbarHighlight(GxGraphics& surface, const ScreenRect& highlight);
