#pragma once
// The overlay's keys for placing a selection to the pixel and ending the capture without the
// mouse. Arrows move the pointer while no selection exists (the drawing and the magnifier follow
// as for a mouse move) and move the selection once one does; Ctrl+arrows move its right or
// bottom edge; Shift makes each step ten pixels. Enter and Ctrl+C finish, Ctrl+S saves. Ctrl+A
// selects the monitor under the cursor, and pressed again the whole desktop.

#include <windows.h>

#include <vector>

#include "win/ScreenRect.h"

class CaptureSession;

// Handles a WM_KEYDOWN of the overlay; false when the key is not one of these (Esc is not).
bool SelectionKeyDown(CaptureSession& session, WPARAM key);

// The selection moved by (dx, dy), never further past the screen's edges than it already is.
ScreenRect MovedOnScreen(const ScreenRect& selection, int dx, int dy, int screenWidth, int screenHeight);
// The selection with its right edge moved by dx and its bottom edge by dy, kept within the
// screen's right and bottom edges and never smaller than 2 × 2.
ScreenRect StretchedOnScreen(const ScreenRect& selection, int dx, int dy, int screenWidth, int screenHeight);

// The same on a desktop of several monitors: within their bounding box, and never wholly in a
// gap between them (there the selection stays as it was).
ScreenRect MovedOnDesktop(const ScreenRect& selection, int dx, int dy, const std::vector<ScreenRect>& monitors);
ScreenRect StretchedOnDesktop(const ScreenRect& selection, int dx, int dy, const std::vector<ScreenRect>& monitors);
