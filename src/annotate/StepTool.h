#pragma once

#include "annotate/AnnotationTool.h"

// A click places the next step number there (a drag moves it until the button goes up).
std::unique_ptr<AnnotationTool> MakeStepTool(const Annotations* kept);
