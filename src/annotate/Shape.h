#pragma once
// The annotations a user draws over a capture, as small values in screen pixels: what each looks
// like is its own business (DrawShape), and so is where it may leave ink (ShapeBounds,
// ShapeParts), so that the overlay redraws no more than a shape can have changed.

#include <windows.h>

#include <string>
#include <variant>
#include <vector>

#include "annotate/AnnotationStyle.h"
#include "gx/DibSurface.h"
#include "gx/GxTypes.h"

class GxGraphics;

enum class OutlineKind { Rectangle, Ellipse, Arrow, Line };

// A shape spanned by a press point and a release point: the rectangle or the ellipse inside the
// box they span, an arrow from the first to the second with its head at the second, or a straight
// line between them.
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

// A thick freehand line at partial opacity, as a marker pen leaves it: where it crosses itself it
// is no darker than elsewhere.
struct HighlightStroke {
  std::vector<GxPointF> points;
  AnnotationStyle style;
};

enum class RedactionKind { Mosaic, Blur };

// A rectangle spanned by a press point and a release point whose pixels are replaced by a mosaic
// of flat blocks or by a blur of themselves (see Redaction.h): it is computed from the picture
// under it, not drawn over it.
struct Redaction {
  RedactionKind kind = RedactionKind::Mosaic;
  GxPointF from, to;
  AnnotationStyle style;
};

// A number in a filled circle around `centre`, marking a step of an explanation.
struct StepMarker {
  GxPointF centre;
  int number = 1;
  AnnotationStyle style;
};

using Shape = std::variant<OutlineShape, BrushStroke, TextNote, HighlightStroke, Redaction, StepMarker>;

// The picture the shapes lie on, which a redaction is computed from: the frozen screen (opaque)
// with the layer of the shapes kept before it (premultiplied, transparent where nothing is drawn;
// no bits while no shape is kept) blended over it. Both are 32-bit surfaces whose top-left pixel
// is the screen point `origin`, one pixel per screen pixel. Take the bits (GetSurfaceBits) after
// the last drawing on them.
struct PictureBelow {
  SurfaceBits screen;
  SurfaceBits layer;
  POINT origin{};
};

// Draws the shape in screen coordinates: translate the target first to draw it onto a surface
// that does not start at the screen's origin.
//
// A highlighter stroke and a redaction write the target's pixels themselves, so they need a
// target with a memory surface (CreateSurface) translated by whole pixels at most; elsewhere the
// stroke is drawn with a translucent pen, and a redaction draws nothing. Neither heeds a clip set
// on the target.
//
// A redaction needs `below`: it composes the picture below over its rectangle, redacts it and
// writes it onto the target opaque, so the original pixels cannot show through. Drawn onto the
// layer of kept shapes (with `below` holding that same layer) it stays opaque there, and the
// layer blended over the frozen screen shows and outputs the redacted picture as it is. Without
// `below` it draws nothing.
void DrawShape(GxGraphics& target, const Shape& shape, const PictureBelow* below = nullptr);
// Holds every pixel the shape can touch (right and bottom exclusive); empty for a shape that
// draws nothing.
RECT ShapeBounds(const Shape& shape);
// Rectangles within the bounds whose union holds all the shape's ink; they may overlap. Where a
// shape can tell (a rectangle's outline, a stroke's segments) they cover much less than its
// bounds, which is what drawing a large shape again on every mouse move costs.
std::vector<RECT> ShapeParts(const Shape& shape);

// The margin of ink around a line of this style: half the pen and a little for smoothing.
int InkMargin(const AnnotationStyle& style);
