#pragma once
// How drags change the selection: drawing a new one, resizing by a handle, moving it.

#include "app/CaptureState.h"

// Widens a 0- or 1-pixel extent to 2, so a selection always has handles to grab.
void EnforceMinExtent(ScreenRect& rect);

// The normalised rectangle spanned by two points.
ScreenRect Spanned(int x1, int y1, int x2, int y2);

// Draw mode: the selection spans the press point and the cursor.
void TrackNewSelection(int cursorX, int cursorY);
// Resize mode (by the grabbed handle) or move mode, with the cursor at (cursorX, cursorY).
void AdjustSelection(int cursorX, int cursorY);

// Clears the press: button up, lock released, drag values unset.
void ResetDrag();
