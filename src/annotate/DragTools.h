#pragma once

#include "annotate/AnnotationTool.h"

std::unique_ptr<AnnotationTool> MakeOutlineTool(OutlineKind kind);
std::unique_ptr<AnnotationTool> MakeBrushTool();
