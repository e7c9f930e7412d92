#pragma once
// The annotating part of a capture: the shapes kept so far, the tool the user has armed with what
// it has under way, and the layer the kept shapes are drawn on. It lives as long as its capture;
// the style chosen lasts until the program exits.

#include <memory>

#include "annotate/AnnotationTool.h"
#include "annotate/Annotations.h"
#include "app/canvas/AnnotationLayer.h"
#include "gx/GxGraphics.h"

class FrameCanvas;
class LayeredCanvas;

// The style the next shape is drawn in; chosen on the style bar, kept for the process.
const AnnotationStyle& ChosenStyle();
void SetChosenStyle(const AnnotationStyle& style);

class AnnotationSession {
 public:
  // Shapes are kept on a layer of the canvas's size; the canvas learns where the layer changes.
  AnnotationSession(FrameCanvas& frame, const LayeredCanvas& canvas, GxGraphics& frozen)
      : frame_(frame), canvas_(canvas), frozen_(frozen) {}
  AnnotationSession(const AnnotationSession&) = delete;
  AnnotationSession& operator=(const AnnotationSession&) = delete;

  ToolKind Armed() const { return armed_; }
  // Arms the tool, or disarms it when it is the armed one. What the old tool had open is kept.
  void Toggle(ToolKind kind);
  // The armed tool; null when none is.
  AnnotationTool* Tool() const { return tool_.get(); }
  // The chosen style changed: an open text box takes it.
  void Restyle(const AnnotationStyle& style);

  // Keeps a shape: drawn onto the layer, and undoable.
  void Keep(Shape shape);
  // Ends what the armed tool has under way and keeps it: finishing, saving and arming another
  // tool keep an open text box.
  void KeepOpenWork();
  // Takes back the newest annotation: a text box still open is kept first, so that it is what
  // goes. Whether anything changed.
  bool Undo();
  // Puts back what undo took last; whether there was anything.
  bool Redo();
  // No annotations and no tool armed: the selection was dropped.
  void Forget();

  const Annotations& Kept() const { return annotations_; }
  // The kept shapes over a transparent canvas-sized surface; null while there are none.
  const GxGraphics* Layer() const { return layer_.Surface(); }
  // The frozen screen and the kept shapes, for a mosaic or a blur under way.
  PictureBelow Below() { return PictureBelow{frozen_.GetSurfaceBits(), layer_.Bits()}; }

 private:
  SIZE CanvasSize() const;

  FrameCanvas& frame_;
  const LayeredCanvas& canvas_;
  GxGraphics& frozen_;
  Annotations annotations_;
  ToolKind armed_ = ToolKind::None;
  std::unique_ptr<AnnotationTool> tool_;
  AnnotationLayer layer_;
};
