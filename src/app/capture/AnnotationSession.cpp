#include "app/capture/AnnotationSession.h"

#include "app/canvas/FrameDamage.h"
#include "win/LayeredCanvas.h"

namespace {

AnnotationStyle& Style() {
  static AnnotationStyle style;
  return style;
}

}  // namespace

const AnnotationStyle& ChosenStyle() { return Style(); }
void SetChosenStyle(const AnnotationStyle& style) { Style() = style; }

SIZE AnnotationSession::CanvasSize() const { return SIZE{canvas_.GetSurfaceWidth(), canvas_.GetSurfaceHeight()}; }

void AnnotationSession::Toggle(ToolKind kind) {
  KeepOpenWork();
  armed_ = kind == armed_ ? ToolKind::None : kind;
  tool_ = MakeTool(armed_, &annotations_);
}

void AnnotationSession::Restyle(const AnnotationStyle& style) {
  if (tool_) tool_->Restyle(style);
}

void AnnotationSession::Keep(Shape shape) {
  const SIZE canvas = CanvasSize();
  layer_.Add(shape, canvas.cx, canvas.cy, frozen_.GetSurfaceBits());
  frame_.AnnotationsChanged(ShapeBounds(shape));
  annotations_.Add(std::move(shape));
}

void AnnotationSession::KeepOpenWork() {
  if (!tool_) return;
  if (std::optional<Shape> shape = tool_->Close()) Keep(std::move(*shape));
}

bool AnnotationSession::Undo() {
  const bool closed = tool_ && tool_->Working();
  KeepOpenWork();
  const std::optional<Shape> undone = annotations_.Undo();
  if (!undone) return closed;
  const SIZE canvas = CanvasSize();
  layer_.Redraw(annotations_.Shapes(), canvas.cx, canvas.cy, frozen_.GetSurfaceBits());
  frame_.AnnotationsChanged(ShapeBounds(*undone));
  return true;
}

bool AnnotationSession::Redo() {
  const std::optional<Shape> redone = annotations_.Redo();
  if (!redone) return false;
  const SIZE canvas = CanvasSize();
  layer_.Add(*redone, canvas.cx, canvas.cy, frozen_.GetSurfaceBits());
  frame_.AnnotationsChanged(ShapeBounds(*redone));
  return true;
}

void AnnotationSession::Forget() {
  annotations_.Reset();
  armed_ = ToolKind::None;
  tool_.reset();
  layer_.Release();
  const SIZE canvas = CanvasSize();
  frame_.AnnotationsChanged(RECT{0, 0, canvas.cx, canvas.cy});
}
