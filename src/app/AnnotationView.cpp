#include "app/AnnotationView.h"

#include "app/AnnotationSession.h"
#include "app/FrameDamage.h"
#include "app/Region.h"
#include "gx/GxGraphics.h"

void ShowSelectionContent(int left, int top, int width, int height) {
  ShowAnnotated(left, top, width, height, AnnotationLayerSurface());
  const AnnotationTool* tool = ActiveTool();
  if (!tool || !tool->Working()) return;
  Region pieces;
  for (const RECT& part : tool->WorkParts()) pieces.Add(part);
  pieces.IntersectWith(Region(RECT{left, top, left + width, top + height}));
  for (const RECT& piece : pieces.Rects()) {
    GxGraphics surface;
    if (!surface.CreateSurface(piece.right - piece.left, piece.bottom - piece.top)) continue;
    surface.TranslateTransform(static_cast<float>(-piece.left), static_cast<float>(-piece.top));
    tool->DrawWork(surface);
    BlendOntoCanvas(surface, piece.left, piece.top, 255, true);
  }
}
