#include "app/render/AnnotationView.h"

#include "app/canvas/Region.h"
#include "app/capture/CaptureSession.h"

void ShowSelectionContent(CaptureSession& session, int left, int top, int width, int height) {
  session.frame.ShowAnnotated(left, top, width, height, session.annotations.Layer());
  const AnnotationTool* tool = session.annotations.Tool();
  if (!tool || !tool->Working()) return;
  PictureBelow below = session.annotations.Below();
  Region pieces;
  for (const RECT& part : tool->WorkParts()) pieces.Add(part);
  pieces.IntersectWith(Region(RECT{left, top, left + width, top + height}));
  for (const RECT& piece : pieces.Rects()) {
    GxGraphics surface;
    if (!surface.CreateSurface(piece.right - piece.left, piece.bottom - piece.top)) continue;
    surface.TranslateTransform(static_cast<float>(-piece.left), static_cast<float>(-piece.top));
    tool->DrawWork(surface, &below);
    session.frame.Blend(surface, piece.left, piece.top, 255, true);
  }
}
