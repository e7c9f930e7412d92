#pragma once
// Where the cursor is: on the selection's inside, one of its eight handles, outside, on the
// toolbar or on the menu; and the overlay's pointer to match.

#include <windows.h>

#include "annotate/AnnotationTool.h"
#include "app/capture/CaptureState.h"

class CaptureSession;

// The zone of (x, y) against the selection alone (handles reach 2 pixels beyond its edges).
HitZone SelectionZoneAt(const ScreenRect& selection, int x, int y);
// True when (x, y) lies strictly inside the rectangle.
bool StrictlyInside(const ScreenRect& rect, int x, int y);

// Finds the zone of `cursor` (and sets the pointer) while a selection exists and no press holds
// the zone; a cursor that has not moved since the last time is not looked at again.
void HitTest(CaptureSession& session, POINT cursor);
// Sets the zone and the overlay's pointer to match it.
void SetZone(CaptureSession& session, HitZone zone);
HCURSOR PointerFor(HitZone zone, ToolKind armed);
