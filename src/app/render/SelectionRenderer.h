#pragma once
// The selection on top of the dimmed background: the screen undimmed inside it, a blue frame
// with eight handles, and the size label.

#include <string>

#include "win/ScreenRect.h"

class CaptureSession;

// "W × H" of a rectangle (absolute width and height).
std::string SizeLabel(const ScreenRect& rect);

// Draws the selection as `drawn` (left ≤ right, top ≤ bottom: the rectangle a drag spans, which
// may be thinner than the selection's minimum) over the current frame, with the size label of
// the selection itself.
void DrawSelection(CaptureSession& session, const ScreenRect& drawn);

// A window the next click would select, shown like a selection: undimmed and framed, without
// handles or label.
void DrawCandidate(CaptureSession& session, const ScreenRect& window);

constexpr unsigned kSelectionBlue = 0xFF00AEFF;
