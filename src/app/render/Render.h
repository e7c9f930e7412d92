#pragma once
// One frame of the overlay, composed from the session's state alone: the handlers of a message
// change the state, then the window procedure renders once and presents once.
//
// Back to front: the dimmed screen; then by mode
//   Looking     the window a click would pick, framed, and the magnifier;
//   Drawing     the selection as dragged so far, and the magnifier;
//   Resizing    the selection as dragged so far, and the magnifier;
//   Selected    the selection, the toolbar and style bar with the item under the cursor lit;
//   Moving, Annotating   the selection with its toolbars, nothing lit;
//   MenuOpen    the selection with its toolbars, and the menu with the row under the cursor lit.
// The selection shows the frozen screen undimmed with the annotations, framed, with handles and
// its size. Drawing onto the canvas goes through the session's FrameCanvas, which repaints and
// pushes only what changed.

#include <windows.h>

#include <optional>

class CaptureSession;

// With no cursor (the save dialog is up) nothing follows the pointer: no highlight, no magnifier.
void Render(CaptureSession& session, std::optional<POINT> cursor);
