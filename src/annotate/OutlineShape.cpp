// Rectangles, ellipses and arrows: two points and a style.

#include <cmath>

#include "annotate/OutlineShape.h"
#include "annotate/ShapeGeometry.h"
#include "gx/GxGraphics.h"
#include "gx/GxPen.h"
#include "gx/GxSolidBrush.h"

namespace {

struct Box {
  float x, y, width, height;
};

Box Spanned(const OutlineShape& shape) {
  return Box{std::min(shape.from.x, shape.to.x), std::min(shape.from.y, shape.to.y), std::fabs(shape.to.x - shape.from.x),
             std::fabs(shape.to.y - shape.from.y)};
}

// The head of an arrow: its tip is the release point, its base crosses the shaft.
struct ArrowHead {
  GxPointF tip, left, right;
  GxPointF shaftEnd;  // the shaft stops inside the head, so its flat end never shows past the tip
};

ArrowHead HeadOf(const OutlineShape& arrow) {
  const float dx = arrow.to.x - arrow.from.x, dy = arrow.to.y - arrow.from.y;
  const float length = std::sqrt(dx * dx + dy * dy);
  ArrowHead head{arrow.to, arrow.to, arrow.to, arrow.to};
  if (length <= 0) return head;
  const float ux = dx / length, uy = dy / length;
  // The head grows with the stroke; on an arrow shorter than its head the head is all there is.
  const float headLength = std::min(length, 3 * StrokeWidth(arrow.style) + 8);
  const float halfWidth = headLength * 0.45f;
  const GxPointF base{arrow.to.x - ux * headLength, arrow.to.y - uy * headLength};
  head.left = GxPointF{base.x - uy * halfWidth, base.y + ux * halfWidth};
  head.right = GxPointF{base.x + uy * halfWidth, base.y - ux * halfWidth};
  head.shaftEnd = GxPointF{arrow.to.x - ux * headLength / 2, arrow.to.y - uy * headLength / 2};
  return head;
}

// A long slanted line in a few pieces, each within the box of its stretch: together far less
// than the line's bounds.
std::vector<RECT> LineParts(const OutlineShape& line, int margin) {
  constexpr int kPieces = 6;
  const float dx = line.to.x - line.from.x, dy = line.to.y - line.from.y;
  const int pieces = std::abs(dx) < 4 * margin || std::abs(dy) < 4 * margin ? 1 : kPieces;
  std::vector<RECT> parts;
  for (int i = 0; i < pieces; ++i) {
    const float start = static_cast<float>(i) / pieces, end = static_cast<float>(i + 1) / pieces;
    parts.push_back(BoundsAround({GxPointF{line.from.x + dx * start, line.from.y + dy * start},
                                  GxPointF{line.from.x + dx * end, line.from.y + dy * end}},
                                 margin));
  }
  return parts;
}

void DrawArrow(GxGraphics& target, const OutlineShape& arrow, GxPen& pen) {
  const ArrowHead head = HeadOf(arrow);
  target.DrawLine(pen, arrow.from.x, arrow.from.y, head.shaftEnd.x, head.shaftEnd.y);
  GxSolidBrush brush;
  brush.Create(arrow.style.colour);
  target.FillPolygon(brush, {head.tip, head.left, head.right});
}

}  // namespace

void DrawOutline(GxGraphics& target, const OutlineShape& shape) {
  GxPen pen;
  pen.Create(shape.style.colour, StrokeWidth(shape.style));
  const Box box = Spanned(shape);
  switch (shape.kind) {
    case OutlineKind::Rectangle: target.DrawRectangle(pen, box.x, box.y, box.width, box.height); break;
    case OutlineKind::Ellipse: target.DrawEllipse(pen, box.x, box.y, box.width, box.height); break;
    case OutlineKind::Arrow: DrawArrow(target, shape, pen); break;
    case OutlineKind::Line:
      pen.SetLineCap(Gdiplus::LineCapRound, Gdiplus::LineCapRound, Gdiplus::DashCapRound);
      target.DrawLine(pen, shape.from.x, shape.from.y, shape.to.x, shape.to.y);
      break;
  }
}

RECT OutlineBounds(const OutlineShape& shape) {
  const int margin = InkMargin(shape.style);
  if (shape.kind != OutlineKind::Arrow) return BoundsAround({shape.from, shape.to}, margin);
  const ArrowHead head = HeadOf(shape);
  return BoundsAround({shape.from, shape.to, head.left, head.right}, margin);
}

std::vector<RECT> OutlineParts(const OutlineShape& shape) {
  const RECT bounds = OutlineBounds(shape);
  const int margin = InkMargin(shape.style);
  if (shape.kind == OutlineKind::Line) return LineParts(shape, margin);
  const LONG inner = 2 * margin + 1;  // the band of ink along one side
  if (shape.kind != OutlineKind::Rectangle || bounds.right - bounds.left <= 2 * inner ||
      bounds.bottom - bounds.top <= 2 * inner)
    return {bounds};
  // A rectangle's outline lies along the edges of its bounds: four bands, the inside left out.
  return {RECT{bounds.left, bounds.top, bounds.right, bounds.top + inner},
          RECT{bounds.left, bounds.bottom - inner, bounds.right, bounds.bottom},
          RECT{bounds.left, bounds.top + inner, bounds.left + inner, bounds.bottom - inner},
          RECT{bounds.right - inner, bounds.top + inner, bounds.right, bounds.bottom - inner}};
}
