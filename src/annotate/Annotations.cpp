#include "annotate/Annotations.h"

void Annotations::Add(Shape shape) {
  shapes_.push_back(std::move(shape));
  undone_.clear();
}

std::optional<Shape> Annotations::Undo() {
  if (shapes_.empty()) return std::nullopt;
  undone_.push_back(std::move(shapes_.back()));
  shapes_.pop_back();
  return undone_.back();
}

std::optional<Shape> Annotations::Redo() {
  if (undone_.empty()) return std::nullopt;
  shapes_.push_back(std::move(undone_.back()));
  undone_.pop_back();
  return shapes_.back();
}

void Annotations::Reset() {
  shapes_.clear();
  undone_.clear();
}
