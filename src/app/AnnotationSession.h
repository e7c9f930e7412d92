#pragma once
// The annotating part of a capture: the shapes kept so far, the tool the user has armed with what
// it has under way, and the layer the kept shapes are drawn on. ForgetAnnotations is part of
// every reset of a capture; the style chosen lasts until the program exits.

#include "annotate/AnnotationTool.h"
#include "annotate/Annotations.h"

class GxGraphics;

ToolKind ArmedTool();
// Arms the tool, or disarms it when it is the armed one. What the old tool had open is kept.
void ToggleTool(ToolKind kind);
// The armed tool; null when none is.
AnnotationTool* ActiveTool();

const AnnotationStyle& ChosenStyle();
// Also restyles an open text box.
void ChooseStyle(const AnnotationStyle& style);

// Keeps a shape: drawn onto the layer, and undoable.
void KeepShape(Shape shape);
// Ends what the armed tool has under way and keeps it: finishing, saving and arming another tool
// keep an open text box.
void KeepOpenWork();
// Takes back the newest annotation: a text box still open is kept first, so that it is what
// goes. Whether anything changed.
bool UndoAnnotation();
// Puts back what undo took last; whether there was anything.
bool RedoAnnotation();
// No annotations and no tool armed: a capture begins, ends or is reset.
void ForgetAnnotations();

const Annotations& KeptAnnotations();
// The kept shapes over a transparent screen-sized surface; null while there are none.
const GxGraphics* AnnotationLayerSurface();
