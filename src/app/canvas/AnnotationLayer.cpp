#include "app/canvas/AnnotationLayer.h"

bool AnnotationLayer::Make(int width, int height) {
  drawn_ = surface_.CreateSurface(width, height);
  if (!drawn_) surface_.Delete();
  return drawn_;
}

void AnnotationLayer::Add(const Shape& shape, int width, int height) {
  if (!drawn_ && !Make(width, height)) return;
  DrawShape(surface_, shape);
}

void AnnotationLayer::Redraw(const std::vector<Shape>& shapes, int width, int height) {
  Release();
  if (shapes.empty() || !Make(width, height)) return;
  for (const Shape& shape : shapes) DrawShape(surface_, shape);
}

void AnnotationLayer::Release() {
  surface_.Delete();
  drawn_ = false;
}
