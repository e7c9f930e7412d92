#include "app/AnnotationSession.h"

#include <memory>

#include "app/AnnotationLayer.h"
#include "app/FrameDamage.h"
#include "app/Globals.h"

namespace {

struct AnnotationSession {
  Annotations annotations;
  ToolKind armed = ToolKind::None;
  std::unique_ptr<AnnotationTool> tool;
  AnnotationLayer layer;
};

AnnotationSession& Session() {
  static AnnotationSession session;
  return session;
}

AnnotationStyle& Style() {
  static AnnotationStyle style;
  return style;
}

SIZE CanvasSize() {
  const LayeredCanvas& canvas = Objects().OverlayCanvas;
  return SIZE{canvas.GetSurfaceWidth(), canvas.GetSurfaceHeight()};
}

}  // namespace

ToolKind ArmedTool() { return Session().armed; }

void ToggleTool(ToolKind kind) {
  AnnotationSession& session = Session();
  KeepOpenWork();
  session.armed = kind == session.armed ? ToolKind::None : kind;
  session.tool = MakeTool(session.armed);
}

AnnotationTool* ActiveTool() { return Session().tool.get(); }

const AnnotationStyle& ChosenStyle() { return Style(); }

void ChooseStyle(const AnnotationStyle& style) {
  Style() = style;
  if (AnnotationTool* tool = ActiveTool()) tool->Restyle(style);
}

void KeepShape(Shape shape) {
  AnnotationSession& session = Session();
  const SIZE canvas = CanvasSize();
  session.layer.Add(shape, canvas.cx, canvas.cy);
  AnnotationsChanged(ShapeBounds(shape));
  session.annotations.Add(std::move(shape));
}

void KeepOpenWork() {
  AnnotationTool* tool = ActiveTool();
  if (!tool) return;
  if (std::optional<Shape> shape = tool->Close()) KeepShape(std::move(*shape));
}

bool UndoAnnotation() {
  AnnotationSession& session = Session();
  const bool closed = session.tool && session.tool->Working();
  KeepOpenWork();
  const std::optional<Shape> undone = session.annotations.Undo();
  if (!undone) return closed;
  const SIZE canvas = CanvasSize();
  session.layer.Redraw(session.annotations.Shapes(), canvas.cx, canvas.cy);
  AnnotationsChanged(ShapeBounds(*undone));
  return true;
}

bool RedoAnnotation() {
  AnnotationSession& session = Session();
  const std::optional<Shape> redone = session.annotations.Redo();
  if (!redone) return false;
  const SIZE canvas = CanvasSize();
  session.layer.Add(*redone, canvas.cx, canvas.cy);
  AnnotationsChanged(ShapeBounds(*redone));
  return true;
}

void ForgetAnnotations() {
  AnnotationSession& session = Session();
  session.annotations.Reset();
  session.armed = ToolKind::None;
  session.tool.reset();
  session.layer.Release();
  const SIZE canvas = CanvasSize();
  AnnotationsChanged(RECT{0, 0, canvas.cx, canvas.cy});
}

const Annotations& KeptAnnotations() { return Session().annotations; }

const GxGraphics* AnnotationLayerSurface() { return Session().layer.Surface(); }
