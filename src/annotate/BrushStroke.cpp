#include "annotate/BrushStroke.h"

#include <algorithm>

#include "annotate/ShapeGeometry.h"
#include "gx/GxGraphics.h"
#include "gx/GxPen.h"

namespace {

// Segments whose boxes make one part: enough to keep the parts few, few enough that a long
// diagonal stroke's parts stay much smaller than its bounds.
constexpr size_t kPartsPerStroke = 6;
constexpr size_t kMinSegmentsPerPart = 4;

GxPointF Plus(GxPointF a, GxPointF b, float scale) { return GxPointF{a.x + b.x * scale, a.y + b.y * scale}; }
GxPointF Minus(GxPointF a, GxPointF b) { return GxPointF{a.x - b.x, a.y - b.y}; }

}  // namespace

std::vector<GxPointF> StrokeCurve(const std::vector<GxPointF>& p) {
  if (p.size() < 2) return p;
  std::vector<GxPointF> curve{p[0]};
  const size_t last = p.size() - 1;
  for (size_t i = 0; i < last; ++i) {
    const GxPointF before = p[i == 0 ? 0 : i - 1], after = p[std::min(i + 2, last)];
    curve.push_back(Plus(p[i], Minus(p[i + 1], before), 1.0f / 6));
    curve.push_back(Plus(p[i + 1], Minus(after, p[i]), -1.0f / 6));
    curve.push_back(p[i + 1]);
  }
  return curve;
}

void DrawStroke(GxGraphics& target, const BrushStroke& stroke) {
  if (stroke.points.size() < 2) return;
  GxPen pen;
  pen.Create(stroke.style.colour, StrokeWidth(stroke.style));
  pen.SetLineCap(Gdiplus::LineCapRound, Gdiplus::LineCapRound, Gdiplus::DashCapRound);
  pen.SetLineJoin(Gdiplus::LineJoinRound);
  target.DrawBeziers(pen, StrokeCurve(stroke.points));
}

RECT StrokeBounds(const BrushStroke& stroke) {
  if (stroke.points.size() < 2) return RECT{};
  return BoundsAround(StrokeCurve(stroke.points), InkMargin(stroke.style));
}

std::vector<RECT> StrokeParts(const BrushStroke& stroke) {
  if (stroke.points.size() < 2) return {};
  return CurveParts(StrokeCurve(stroke.points), InkMargin(stroke.style));
}

RECT StrokeTailBounds(const BrushStroke& stroke, size_t segments) {
  return CurveTailBounds(StrokeCurve(stroke.points), segments, InkMargin(stroke.style));
}

RECT CurveTailBounds(const std::vector<GxPointF>& curve, size_t segments, int margin) {
  const size_t total = (curve.size() - 1) / 3;
  const size_t first = total - std::min(segments, total);
  return BoundsAround(std::vector<GxPointF>(curve.begin() + 3 * first, curve.end()), margin);
}

std::vector<RECT> CurveParts(const std::vector<GxPointF>& curve, int margin) {
  const size_t segments = (curve.size() - 1) / 3;
  const size_t perPart = std::max(kMinSegmentsPerPart, (segments + kPartsPerStroke - 1) / kPartsPerStroke);
  std::vector<RECT> parts;
  for (size_t first = 0; first < segments; first += perPart) {
    const size_t end = std::min(segments, first + perPart);
    // A segment lies within the box of its end and control points.
    const std::vector<GxPointF> piece(curve.begin() + 3 * first, curve.begin() + 3 * end + 1);
    parts.push_back(BoundsAround(piece, margin));
  }
  return parts;
}
