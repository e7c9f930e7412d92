#include "app/SelectionRenderer.h"

#include <cstdio>
#include <cstdlib>

#include "app/Globals.h"
#include "app/LabelFont.h"
#include "app/Layers.h"
#include "gx/GxFont.h"
#include "gx/GxGraphics.h"
#include "gx/GxPen.h"
#include "gx/GxSolidBrush.h"

namespace {

constexpr int kLabelWidth = 72;
constexpr int kLabelHeight = 20;

void DrawFrameAndHandles(GxGraphics& surface, GxSolidBrush& brush, int w, int h) {
  GxPen pen;
  pen.Create(kSelectionBlue, 1.0f);
  surface.DrawRectangle(pen, 2, 2, static_cast<float>(w), static_cast<float>(h));
  brush.Create(kSelectionBlue);
  const float fw = static_cast<float>(w), fh = static_cast<float>(h);
  const float handles[8][2] = {{0, 0},           {fw / 2 - 2, 0}, {fw, 0},  {0, fh / 2},
                               {fw, fh / 2},     {0, fh},         {fw / 2, fh}, {fw, fh}};
  for (const auto& handle : handles) surface.FillRectangle(brush, handle[0], handle[1], 5, 5);
}

void DrawLabelText(GxGraphics& surface, GxSolidBrush& brush, const std::string& text) {
  GxFont font;
  CreateLabelFont(font, 11);
  brush.SetColor(0xFFFFFFFF);
  surface.DrawString(text, font, brush, GxRectF{8, 2, 62, 14});
}

}  // namespace

const char* Label(RedrawAction action) { return action == RedrawAction::KeepRects ? "不清除" : ""; }

std::string SizeLabel(const ScreenRect& rect) {
  char text[64];
  std::snprintf(text, sizeof text, "%d × %d", std::abs(rect.right - rect.left), std::abs(rect.bottom - rect.top));
  return text;
}

void RedrawSelection(RedrawAction action) {
  CaptureState& state = Capture();
  if (action == RedrawAction::ClearRects) {
    state.ToolbarRect = ScreenRect{};
    state.MenuRect = ScreenRect{};
  }
  RepaintBase();
  const ScreenRect& s = state.SelectionRect;
  DrawSelection(s.left, s.top, s.right, s.bottom);
}

void DrawSelection(int left, int top, int right, int bottom) {
  int w = right - left, h = bottom - top;
  if (w == 0) w = 1;
  if (h == 0) h = 1;
  LayeredCanvas& canvas = Objects().OverlayCanvas;
  GxGraphics selection, labelBox, labelText;
  selection.CreateSurface(w + 5, h + 5);
  labelBox.CreateSurface(kLabelWidth, kLabelHeight);
  labelText.CreateSurface(kLabelWidth, kLabelHeight);

  // The selection shows the frozen screen at full brightness.
  canvas.AlphaBlendFrom(Objects().FrozenLayer.GetSurfaceDC(), left, top, w, h, left, top, w, h, 255);

  GxSolidBrush brush;
  DrawFrameAndHandles(selection, brush, w, h);
  brush.SetColor(0xFF000000);
  labelBox.FillRectangle(brush, 0, 0, kLabelWidth, kLabelHeight);
  DrawLabelText(labelText, brush, SizeLabel(Capture().SelectionRect));

  canvas.AlphaBlendFrom(selection.GetSurfaceDC(), 0, 0, w + 5, h + 5, left - 2, top - 2, w + 5, h + 5, 255, 1);
  const bool above = top >= 23;
  const int labelY = above ? top - 23 : top + 1;
  const int textX = above ? left : left - 2;  // inside the selection the text sits 2 px left
  canvas.AlphaBlendFrom(labelBox.GetSurfaceDC(), 0, 0, kLabelWidth, kLabelHeight, left, labelY, kLabelWidth,
                        kLabelHeight, 128, 1);
  canvas.AlphaBlendFrom(labelText.GetSurfaceDC(), 0, 0, kLabelWidth, kLabelHeight, textX, labelY, kLabelWidth,
                        kLabelHeight, 255, 1);
}
