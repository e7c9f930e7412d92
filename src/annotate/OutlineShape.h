#pragma once
// Rectangles, ellipses and arrows (see Shape.h).

#include "annotate/Shape.h"

void DrawOutline(GxGraphics& target, const OutlineShape& shape);
RECT OutlineBounds(const OutlineShape& shape);
std::vector<RECT> OutlineParts(const OutlineShape& shape);
