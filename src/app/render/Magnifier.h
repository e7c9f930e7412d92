#pragma once
// The panel beside the cursor: the frozen screen around it enlarged, a crosshair, the selection's
// size and the colour next to the cursor.

#include <windows.h>

#include <string>

// Top-left of the panel for a cursor on a screen of the given size (flips near the edges).
POINT MagnifierOrigin(POINT cursor, int screenWidth, int screenHeight);
// "RGB:(r,g,b)", or with `hex` "#RRGGBB", of a GDI colour 0x00BBGGRR.
std::string ColourLabel(COLORREF colour, bool hex = false);

class CaptureSession;

// The panel beside `cursor`, showing the frozen screen around it; notes its colour line in the
// session's state (shownColour).
void DrawMagnifier(CaptureSession& session, POINT cursor);
