#pragma once
// How drags change the selection: drawing a new one, resizing it by a handle, moving it.

#include <windows.h>

#include <vector>

#include "app/capture/CaptureState.h"

// Widens a 0- or 1-pixel extent to 2, so a selection always has handles to grab.
void EnforceMinExtent(ScreenRect& rect);

// The normalised rectangle spanned by two points.
ScreenRect Spanned(int x1, int y1, int x2, int y2);

// The drag under way (drawing, resizing or moving) follows the cursor, moves staying within the
// monitors' bounding box and on at least one of them (canvas coordinates). Other modes have no
// drag to follow.
void FollowDrag(CaptureState& state, POINT cursor, const std::vector<ScreenRect>& monitors);
