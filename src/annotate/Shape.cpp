#include "annotate/Shape.h"

#include <cmath>

#include "annotate/BrushStroke.h"
#include "annotate/HighlightStroke.h"
#include "annotate/OutlineShape.h"
#include "annotate/Redaction.h"
#include "annotate/StepMarker.h"
#include "annotate/TextNote.h"
#include "gx/GxGraphics.h"

namespace {

template <typename... Handlers>
struct Overloaded : Handlers... {
  using Handlers::operator()...;
};
template <typename... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

}  // namespace

int InkMargin(const AnnotationStyle& style) { return static_cast<int>(std::ceil(StrokeWidth(style) / 2)) + 2; }

void DrawShape(GxGraphics& target, const Shape& shape, const PictureBelow* below) {
  target.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  std::visit(Overloaded{[&](const OutlineShape& s) { DrawOutline(target, s); },
                        [&](const BrushStroke& s) { DrawStroke(target, s); },
                        [&](const TextNote& s) { DrawTextNote(target, s); },
                        [&](const HighlightStroke& s) { DrawHighlight(target, s); },
                        [&](const Redaction& s) { DrawRedaction(target, s, below); },
                        [&](const StepMarker& s) { DrawStepMarker(target, s); }},
             shape);
}

RECT ShapeBounds(const Shape& shape) {
  return std::visit(Overloaded{[](const OutlineShape& s) { return OutlineBounds(s); },
                               [](const BrushStroke& s) { return StrokeBounds(s); },
                               [](const TextNote& s) { return TextNoteBounds(s); },
                               [](const HighlightStroke& s) { return HighlightBounds(s); },
                               [](const Redaction& s) { return RedactionRect(s); },
                               [](const StepMarker& s) { return StepMarkerBounds(s); }},
                    shape);
}

std::vector<RECT> ShapeParts(const Shape& shape) {
  const auto whole = [](const RECT& bounds) {
    return IsRectEmpty(&bounds) ? std::vector<RECT>{} : std::vector<RECT>{bounds};
  };
  return std::visit(Overloaded{[](const OutlineShape& s) { return OutlineParts(s); },
                               [](const BrushStroke& s) { return StrokeParts(s); },
                               [](const TextNote& s) { return std::vector<RECT>{TextNoteBounds(s)}; },
                               [](const HighlightStroke& s) { return HighlightParts(s); },
                               [&](const Redaction& s) { return whole(RedactionRect(s)); },
                               [](const StepMarker& s) { return std::vector<RECT>{StepMarkerBounds(s)}; }},
                    shape);
}
