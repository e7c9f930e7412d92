#include "app/render/ToolbarLook.h"

#include "gx/RoundedRect.h"
#include "gx/GxGraphics.h"
#include "gx/GxPath.h"
#include "gx/GxPen.h"
#include "gx/GxSolidBrush.h"

namespace {

constexpr unsigned kBoxFill = 0xFFDEEEFF;
constexpr unsigned kBoxOutline = 0xFF00AEFF;
constexpr unsigned kHighlightFill = 0xFFAFE5FF;
constexpr unsigned kHighlightOutline = 0xFF2A87E4;

void FillAndOutline(GxGraphics& surface, float x, float y, float width, float height, unsigned fill,
                    unsigned outline) {
  GxPath path;
  path.Create();
  AddRoundedRect(path, x, y, width, height, 3);
  GxSolidBrush brush;
  brush.Create(fill);
  GxPen pen;
  pen.Create(outline, 1.0f);
  surface.FillPath(brush, path);
  surface.DrawPath(pen, path);
}

}  // namespace

void PaintToolbarBox(GxGraphics& surface) {
  FillAndOutline(surface, 0, 0, static_cast<float>(surface.GetSurfaceWidth() + 2),
                 static_cast<float>(surface.GetSurfaceHeight()), kBoxFill, kBoxOutline);
}

void PaintToolbarHighlight(GxGraphics& surface, const ScreenRect& h) {
  FillAndOutline(surface, static_cast<float>(h.left), static_cast<float>(h.top), static_cast<float>(h.Width() + 2),
                 static_cast<float>(h.Height() + 2), kHighlightFill, kHighlightOutline);
}
