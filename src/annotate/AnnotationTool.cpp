#include "annotate/AnnotationTool.h"

#include "annotate/DragTools.h"
#include "annotate/StepTool.h"
#include "annotate/TextTool.h"

std::unique_ptr<AnnotationTool> MakeTool(ToolKind kind, const Annotations* kept) {
  switch (kind) {
    case ToolKind::Rectangle: return MakeOutlineTool(OutlineKind::Rectangle);
    case ToolKind::Ellipse: return MakeOutlineTool(OutlineKind::Ellipse);
    case ToolKind::Arrow: return MakeOutlineTool(OutlineKind::Arrow);
    case ToolKind::Brush: return MakeBrushTool();
    case ToolKind::Text: return MakeTextTool();
    case ToolKind::Line: return MakeOutlineTool(OutlineKind::Line);
    case ToolKind::Highlighter: return MakeHighlighterTool();
    case ToolKind::Mosaic: return MakeRedactionTool(RedactionKind::Mosaic);
    case ToolKind::Blur: return MakeRedactionTool(RedactionKind::Blur);
    case ToolKind::StepNumber: return MakeStepTool(kept);
    case ToolKind::None: break;
  }
  return nullptr;
}

bool ToolUsesColour(ToolKind kind) { return kind != ToolKind::Mosaic && kind != ToolKind::Blur && kind != ToolKind::None; }
