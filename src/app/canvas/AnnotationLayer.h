#pragma once
// The kept annotations drawn once onto a transparent, screen-sized surface, which the selection
// shows over the frozen screen. It is made at the first kept shape, so a capture that annotates
// nothing costs neither its memory nor any drawing.

#include <vector>

#include "annotate/Shape.h"
#include "gx/GxGraphics.h"

class AnnotationLayer {
 public:
  // Draws one more shape over the others; a mosaic or a blur is computed from `screen` (the
  // frozen layer's pixels) with the layer so far blended over it.
  void Add(const Shape& shape, int width, int height, const SurfaceBits& screen);
  // The shapes drawn afresh (after one was taken away); released when there are none.
  void Redraw(const std::vector<Shape>& shapes, int width, int height, const SurfaceBits& screen);
  // The layer's pixels, for what is drawn over it; none while no shape is drawn on it.
  SurfaceBits Bits() { return drawn_ ? surface_.GetSurfaceBits() : SurfaceBits{}; }
  void Release();
  // Null while no shape is drawn on it.
  const GxGraphics* Surface() const { return drawn_ ? &surface_ : nullptr; }

 private:
  bool Make(int width, int height);

  GxGraphics surface_;
  bool drawn_ = false;
};
