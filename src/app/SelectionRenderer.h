#pragma once
// The selection on top of the dimmed background: the screen undimmed inside it, a blue frame
// with eight handles, and the size label.

#include <string>

#include "app/CaptureState.h"

enum class RedrawAction { ClearRects, KeepRects };
// The program's own text for the action: "" clears, "不清除" keeps the toolbar and menu rects.
const char* Label(RedrawAction action);

// "W × H" of a rectangle (absolute width and height).
std::string SizeLabel(const ScreenRect& rect);

// Repaints the base and the stored selection; ClearRects also forgets the toolbar and menu.
void RedrawSelection(RedrawAction action);
// Draws the selection (left ≤ right, top ≤ bottom) over the current frame.
void DrawSelection(int left, int top, int right, int bottom);

// A window the next click would select, shown like a selection: undimmed and framed, without
// handles or label.
void DrawCandidate(const ScreenRect& window);

constexpr unsigned kSelectionBlue = 0xFF00AEFF;
