#pragma once
// The annotations a user draws over a capture, as small values in screen pixels: what each looks
// like is its own business (DrawShape), and so is where it may leave ink (ShapeBounds,
// ShapeParts), so that the overlay redraws no more than a shape can have changed.

#include <windows.h>

#include <string>
#include <variant>
#include <vector>

#include "annotate/AnnotationStyle.h"
#include "gx/GxTypes.h"

class GxGraphics;

enum class OutlineKind { Rectangle, Ellipse, Arrow };

// A shape spanned by a press point and a release point: the rectangle or the ellipse inside the
// box they span, or an arrow from the first to the second with its head at the second.
struct OutlineShape {
  OutlineKind kind = OutlineKind::Rectangle;
  GxPointF from, to;
  AnnotationStyle style;
};

// A freehand line through every point, in order.
struct BrushStroke {
  std::vector<GxPointF> points;
  AnnotationStyle style;
};

// Lines of text (UTF-16, separated by '\n') whose first line's top-left is the origin.
struct TextNote {
  GxPointF origin;
  std::wstring text;
  AnnotationStyle style;
};

using Shape = std::variant<OutlineShape, BrushStroke, TextNote>;

// Draws the shape in screen coordinates: translate the target first to draw it onto a surface
// that does not start at the screen's origin.
void DrawShape(GxGraphics& target, const Shape& shape);
// Holds every pixel the shape can touch (right and bottom exclusive); empty for a shape that
// draws nothing.
RECT ShapeBounds(const Shape& shape);
// Rectangles within the bounds whose union holds all the shape's ink; they may overlap. Where a
// shape can tell (a rectangle's outline, a stroke's segments) they cover much less than its
// bounds, which is what drawing a large shape again on every mouse move costs.
std::vector<RECT> ShapeParts(const Shape& shape);

// The margin of ink around a line of this style: half the pen and a little for smoothing.
int InkMargin(const AnnotationStyle& style);
