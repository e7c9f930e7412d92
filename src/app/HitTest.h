#pragma once
// Where the cursor is: on the selection's inside, one of its eight handles, outside, on the
// toolbar or on the menu; and the mode a left-button drag would have there.

#include <windows.h>

#include "app/CaptureState.h"

// The zone of (x, y) against the selection alone (handles reach 2 pixels beyond its edges).
HitZone SelectionZoneAt(const ScreenRect& selection, int x, int y);
// True when (x, y) lies strictly inside the rectangle.
bool StrictlyInside(const ScreenRect& rect, int x, int y);

// Updates HitZone (and the pointer) for the cursor at (x, y), unless a press holds it.
void HitTest(int x, int y);
// Hit-tests at the cursor and derives CaptureMode from the zone.
void ChooseMode();
// Sets HitZone and the overlay's pointer to match it.
void SetZone(HitZone zone);
HCURSOR PointerFor(HitZone zone);
