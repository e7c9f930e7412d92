#include "annotate/AnnotationTool.h"

#include "annotate/DragTools.h"
#include "annotate/TextTool.h"

std::unique_ptr<AnnotationTool> MakeTool(ToolKind kind) {
  switch (kind) {
    case ToolKind::Rectangle: return MakeOutlineTool(OutlineKind::Rectangle);
    case ToolKind::Ellipse: return MakeOutlineTool(OutlineKind::Ellipse);
    case ToolKind::Arrow: return MakeOutlineTool(OutlineKind::Arrow);
    case ToolKind::Brush: return MakeBrushTool();
    case ToolKind::Text: return MakeTextTool();
    case ToolKind::None: break;
  }
  return nullptr;
}
