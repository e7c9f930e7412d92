#pragma once

#include "annotate/AnnotationTool.h"

// A click opens a text box there (closing the one open elsewhere); typed text goes into it.
std::unique_ptr<AnnotationTool> MakeTextTool();
