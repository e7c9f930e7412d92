#pragma once
// Highlighter strokes (see Shape.h).

#include "annotate/Shape.h"

// How much of the stroke's colour covers what is under it (of 255): text under it stays readable.
constexpr std::uint32_t kHighlightAlpha = 102;

// The pen width of a highlighter stroke of this style, in pixels: 12, 20 or 28.
float HighlightWidth(const AnnotationStyle& style);

void DrawHighlight(GxGraphics& target, const HighlightStroke& stroke);
RECT HighlightBounds(const HighlightStroke& stroke);
std::vector<RECT> HighlightParts(const HighlightStroke& stroke);
// The pixels the last `segments` segments of the stroke may colour.
RECT StrokeTailBounds(const HighlightStroke& stroke, size_t segments);
