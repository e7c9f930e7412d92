#pragma once

#include "annotate/AnnotationTool.h"

std::unique_ptr<AnnotationTool> MakeOutlineTool(OutlineKind kind);
std::unique_ptr<AnnotationTool> MakeBrushTool();
std::unique_ptr<AnnotationTool> MakeHighlighterTool();
std::unique_ptr<AnnotationTool> MakeRedactionTool(RedactionKind kind);

// The point nearest to `to` on the line from `from` at the multiple of 45° nearest to the one
// towards `to`.
GxPointF Snapped45(GxPointF from, GxPointF to);
