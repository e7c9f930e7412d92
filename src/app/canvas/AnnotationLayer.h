#pragma once
// The kept annotations drawn once onto a transparent, screen-sized surface, which the selection
// shows over the frozen screen. It is made at the first kept shape, so a capture that annotates
// nothing costs neither its memory nor any drawing.

#include <vector>

#include "annotate/Shape.h"
#include "gx/GxGraphics.h"

class AnnotationLayer {
 public:
  // Draws one more shape over the others.
  void Add(const Shape& shape, int width, int height);
  // The shapes drawn afresh (after one was taken away); released when there are none.
  void Redraw(const std::vector<Shape>& shapes, int width, int height);
  void Release();
  // Null while no shape is drawn on it.
  const GxGraphics* Surface() const { return drawn_ ? &surface_ : nullptr; }

 private:
  bool Make(int width, int height);

  GxGraphics surface_;
  bool drawn_ = false;
};
