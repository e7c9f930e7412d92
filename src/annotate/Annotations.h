#pragma once
// The annotations of one capture: the shapes kept so far, oldest first, and the ones taken back
// by undo, ready to be redone until a new shape is added.

#include <optional>
#include <vector>

#include "annotate/Shape.h"

class Annotations {
 public:
  // Keeps a new shape; what undo took back can no longer be redone.
  void Add(Shape shape);
  // Takes back the newest shape; nothing when there is none.
  std::optional<Shape> Undo();
  // Puts back the shape undo took last; nothing when there is none.
  std::optional<Shape> Redo();
  // No shapes, nothing to redo.
  void Reset();

  const std::vector<Shape>& Shapes() const { return shapes_; }
  bool Empty() const { return shapes_.empty(); }

 private:
  std::vector<Shape> shapes_;
  std::vector<Shape> undone_;  // the last undone on top
};
