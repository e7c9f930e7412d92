#include "app/render/AnnotationView.h"

#include "app/canvas/Region.h"
#include "app/capture/CaptureSession.h"

// A stroke under way grows at its end: only the pieces where it changed are drawn again, the
// rest of it stays on the canvas as last drawn.
void ShowSelectionContent(CaptureSession& session, int left, int top, int width, int height) {
  AnnotationTool* tool = session.annotations.Tool();
  const bool working = tool && tool->Working();
  session.frame.WorkChanged(working ? tool->TakeWorkChanges() : std::nullopt);
  session.frame.ShowAnnotated(left, top, width, height, session.annotations.Layer());
  if (!working) return;
  PictureBelow below = session.annotations.Below();
  Region pieces;
  for (const RECT& part : tool->WorkParts()) pieces.Add(part);
  pieces.IntersectWith(Region(RECT{left, top, left + width, top + height}));
  for (const RECT& piece : session.frame.WorkToDraw(pieces).Rects()) {
    GxGraphics surface;
    if (!surface.CreateSurface(piece.right - piece.left, piece.bottom - piece.top)) continue;
    surface.TranslateTransform(static_cast<float>(-piece.left), static_cast<float>(-piece.top));
    tool->DrawWork(surface, &below);
    session.frame.BlendWork(surface, piece.left, piece.top);
  }
}
