#pragma once
// Freehand strokes (see Shape.h).

#include "annotate/Shape.h"

void DrawStroke(GxGraphics& target, const BrushStroke& stroke);
RECT StrokeBounds(const BrushStroke& stroke);
std::vector<RECT> StrokeParts(const BrushStroke& stroke);
// The pixels the last `segments` segments of the stroke may colour.
RECT StrokeTailBounds(const BrushStroke& stroke, size_t segments);

// The stroke as cubic Bézier segments through every point: the first point, then two control
// points and the next point per segment. A smooth curve (Catmull-Rom) whose segments stay within
// the box of their four points.
std::vector<GxPointF> StrokeCurve(const std::vector<GxPointF>& points);
// Rectangles whose union holds every pixel within `margin` of such a curve: a few segments each.
std::vector<RECT> CurveParts(const std::vector<GxPointF>& curve, int margin);
// Every pixel within `margin` of the last `segments` segments of such a curve.
RECT CurveTailBounds(const std::vector<GxPointF>& curve, size_t segments, int margin);
