#include "app/render/SelectionRenderer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/render/AnnotationView.h"
#include "app/capture/CaptureSession.h"
#include "gx/GxFont.h"
#include "gx/GxGraphics.h"
#include "gx/GxPen.h"
#include "gx/GxSolidBrush.h"
#include "gx/LabelFont.h"

namespace {

constexpr int kLabelWidth = 72;
constexpr int kLabelHeight = 20;
constexpr int kHandleSize = 5;  // the frame and the handles lie within this of the surface's edges

// The frame of a w × h selection and, when asked, its handles, drawn on the part `part` of the
// (w + 5) × (h + 5) frame surface. A handle that cannot reach the part is left out: it would draw
// nothing there.
void DrawFrame(GxGraphics& surface, int w, int h, const RECT& part, bool handlesToo) {
  const float dx = static_cast<float>(-part.left), dy = static_cast<float>(-part.top);
  GxPen pen;
  pen.Create(kSelectionBlue, 1.0f);
  surface.DrawRectangle(pen, 2 + dx, 2 + dy, static_cast<float>(w), static_cast<float>(h));
  if (!handlesToo) return;
  GxSolidBrush brush;
  brush.Create(kSelectionBlue);
  const float fw = static_cast<float>(w), fh = static_cast<float>(h);
  const float handles[8][2] = {{0, 0},           {fw / 2 - 2, 0}, {fw, 0},  {0, fh / 2},
                               {fw, fh / 2},     {0, fh},         {fw / 2, fh}, {fw, fh}};
  for (const auto& handle : handles) {
    const float x = handle[0], y = handle[1];  // a pixel of margin around each for rounding
    if (x + kHandleSize + 1 <= part.left || x - 1 >= part.right || y + kHandleSize + 1 <= part.top ||
        y - 1 >= part.bottom)
      continue;
    surface.FillRectangle(brush, x + dx, y + dy, kHandleSize, kHandleSize);
  }
}

// The text sits in (8, 2) of its box, in a layout 62 wide: room for the widest size in the usual
// font. A font without its narrow digits (the system's fallback where "微软雅黑" is missing)
// would wrap the text there, and the box would cut the second line off; such a text gets a box as
// wide as it needs. Returns the box's width.
constexpr int kLabelTextLeft = 8, kLabelTextTop = 2, kLabelTextWidth = 62, kLabelTextHeight = 14;
constexpr int kLabelTextMargin = kLabelWidth - kLabelTextLeft - kLabelTextWidth;  // on its right

int MeasureLabelWidth(const std::string& text) {
  GxGraphics measuring;
  GxFont font;
  if (!measuring.CreateSurface(1, 1) || !CreateLabelFont(font, 11)) return kLabelWidth;
  GxRectF inLayout{}, oneLine{};
  const GxRectF layout{0, 0, kLabelTextWidth, 0};  // a height of 0: as many lines as it takes
  if (!measuring.MeasureString(text, font, layout, nullptr, inLayout) ||
      !measuring.MeasureString(text, font, GxRectF{}, nullptr, oneLine))
    return kLabelWidth;
  if (inLayout.height <= oneLine.height) return kLabelWidth;
  return kLabelTextLeft + static_cast<int>(std::ceil(oneLine.width)) + kLabelTextMargin;
}

void DrawLabelBox(GxGraphics& surface, int width) {
  GxSolidBrush brush;
  brush.Create(0xFF000000);
  surface.FillRectangle(brush, 0, 0, static_cast<float>(width), kLabelHeight);
}

void DrawLabelText(GxGraphics& surface, const std::string& text, int width) {
  GxFont font;
  CreateLabelFont(font, 11);
  GxSolidBrush brush;
  brush.Create(0xFFFFFFFF);
  const float layoutWidth = static_cast<float>(width - kLabelTextLeft - kLabelTextMargin);
  surface.DrawString(text, font, brush, GxRectF{kLabelTextLeft, kLabelTextTop, layoutWidth, kLabelTextHeight});
}

// The frozen screen at full brightness over w × h at (left, top) with the annotations there,
// framed.
void DrawFramed(CaptureSession& session, int left, int top, int w, int h, bool handlesToo) {
  ShowSelectionContent(session, left, top, w, h);
  // The frame surface is drawn on only near its edges; on a large selection, making, drawing
  // and blending its empty inside would cost more than all the rest. Its parts are kept while
  // the size stays: moving the selection, hovering the toolbar or the menu draw the same frame.
  const std::string look = std::to_string(w) + " x " + std::to_string(h) + (handlesToo ? " with handles" : "");
  const std::vector<RECT> parts = EdgeParts(w + 5, h + 5, kHandleSize);
  for (size_t i = 0; i < parts.size(); ++i) {
    const RECT& part = parts[i];
    const SurfaceUse edge =
        session.images.DrawnSurface("frame " + std::to_string(i), look, part.right - part.left, part.bottom - part.top,
                                    [&](GxGraphics& surface) { DrawFrame(surface, w, h, part, handlesToo); });
    session.frame.Blend(*edge, left - 2 + part.left, top - 2 + part.top, 255, true);
  }
}

}  // namespace

std::string SizeLabel(const ScreenRect& rect) {
  char text[64];
  std::snprintf(text, sizeof text, "%d × %d", std::abs(rect.Width()), std::abs(rect.Height()));
  return text;
}

void DrawSelection(CaptureSession& session, const ScreenRect& drawn) {
  const int left = drawn.left, top = drawn.top;
  const int w = std::max(drawn.Width(), 1), h = std::max(drawn.Height(), 1);
  DrawFramed(session, left, top, w, h, true);
  // Both kept like the frame: a selection that keeps its size keeps its label.
  const std::string text = SizeLabel(session.state.SelectionRect);
  const int width = session.images.Measured("label", text, [&] { return MeasureLabelWidth(text); });
  const SurfaceUse labelBox = session.images.DrawnSurface(
      "label box", std::to_string(width), width, kLabelHeight, [&](GxGraphics& surface) { DrawLabelBox(surface, width); });
  const SurfaceUse labelText = session.images.DrawnSurface(
      "label text", text, width, kLabelHeight, [&](GxGraphics& surface) { DrawLabelText(surface, text, width); });

  // By the selection's top-left corner, on the monitor there; a corner between monitors lends
  // the label the nearest point shown.
  const POINT anchor = session.desktop.KeptOffGaps(POINT{left, top});
  const bool above = anchor.y - session.desktop.MonitorOnCanvasAt(anchor).top >= 23;
  const int labelY = above ? anchor.y - 23 : anchor.y + 1;
  const int textX = above ? anchor.x : anchor.x - 2;  // inside the selection the text sits 2 px left
  session.frame.Blend(*labelBox, anchor.x, labelY, 128, true);
  session.frame.Blend(*labelText, textX, labelY, 255, true);
}

void DrawCandidate(CaptureSession& session, const ScreenRect& window) {
  DrawFramed(session, window.left, window.top, std::max(window.Width(), 1), std::max(window.Height(), 1), false);
}
