#pragma once
// Step numbers (see Shape.h).

#include "annotate/Shape.h"

// The circle's radius: 11, 15 or 20 pixels for the three sizes, up to 99; it grows with every
// further digit, so that the digits keep a readable size.
float StepRadius(const StepMarker& marker);
// The number's colour on a circle of `fill`: white on dark colours, black on light ones.
std::uint32_t StepDigitColour(std::uint32_t fill);
// The number the next marker gets: one more than the highest among the shapes, so a marker taken
// back by undo is given again, and one put back by redo keeps its own.
int NextStepNumber(const std::vector<Shape>& shapes);

void DrawStepMarker(GxGraphics& target, const StepMarker& marker);
RECT StepMarkerBounds(const StepMarker& marker);
