#include "app/canvas/AnnotationLayer.h"

bool AnnotationLayer::Make(int width, int height) {
  drawn_ = surface_.CreateSurface(width, height);
  if (!drawn_) surface_.Delete();
  return drawn_;
}

void AnnotationLayer::Add(const Shape& shape, int width, int height, const SurfaceBits& screen) {
  if (!drawn_ && !Make(width, height)) return;
  const PictureBelow below{screen, surface_.GetSurfaceBits()};
  DrawShape(surface_, shape, &below);
}

void AnnotationLayer::Redraw(const std::vector<Shape>& shapes, int width, int height, const SurfaceBits& screen) {
  Release();
  if (shapes.empty() || !Make(width, height)) return;
  const PictureBelow below{screen, surface_.GetSurfaceBits()};
  for (const Shape& shape : shapes) DrawShape(surface_, shape, &below);
}

void AnnotationLayer::Release() {
  surface_.Delete();
  drawn_ = false;
}
