#include "app/render/SelectionRenderer.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/render/AnnotationView.h"
#include "app/canvas/RedrawMode.h"
#include "app/capture/CaptureSession.h"
#include "gx/GxFont.h"
#include "gx/GxGraphics.h"
#include "gx/GxPen.h"
#include "gx/GxSolidBrush.h"

namespace {

constexpr int kLabelWidth = 72;
constexpr int kLabelHeight = 20;
constexpr int kHandleSize = 5;  // the frame and the handles lie within this of the surface's edges

// Where the eight handles of a w × h selection are filled on its frame surface (top-left corners).
std::array<std::array<float, 2>, 8> HandlePlaces(int w, int h) {
  const float fw = static_cast<float>(w), fh = static_cast<float>(h);
  return {{{0, 0}, {fw / 2 - 2, 0}, {fw, 0}, {0, fh / 2}, {fw, fh / 2}, {0, fh}, {fw / 2, fh}, {fw, fh}}};
}

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
  for (const auto& handle : HandlePlaces(w, h)) {
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

int MeasureLabelWidth(const std::string& text, const GxFont& font) {
  GxGraphics measuring;
  if (!measuring.CreateSurface(1, 1)) return kLabelWidth;
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

void DrawLabelText(GxGraphics& surface, const std::string& text, int width, const GxFont& font) {
  GxSolidBrush brush;
  brush.Create(0xFFFFFFFF);
  const float layoutWidth = static_cast<float>(width - kLabelTextLeft - kLabelTextMargin);
  surface.DrawString(text, font, brush, GxRectF{kLabelTextLeft, kLabelTextTop, layoutWidth, kLabelTextHeight});
}

// Where GDI+ fills a handle placed at a position with fractions (fx, fy), each 0 or ½, relative to
// the position's whole part; found once by filling one and reading it back. Empty when that
// could not be done or did not give one solid rectangle.
std::optional<RECT> HandleCover(float fx, float fy) {
  constexpr int kSide = kHandleSize + 4, kAt = 2;
  GxGraphics surface;
  GxSolidBrush brush;
  if (!surface.CreateSurface(kSide, kSide) || !brush.Create(kSelectionBlue) ||
      !surface.FillRectangle(brush, kAt + fx, kAt + fy, kHandleSize, kHandleSize))
    return std::nullopt;
  GdiFlush();
  const SurfaceBits pixels = surface.GetSurfaceBits();
  RECT cover{kSide, kSide, 0, 0};
  int filled = 0;
  for (int y = 0; y < kSide; ++y) {
    const std::uint32_t* row = pixels.Row(y);
    if (!row) return std::nullopt;
    for (int x = 0; x < kSide; ++x) {
      const std::uint32_t pixel = row[x];
      if (pixel == 0) continue;
      if (pixel != kSelectionBlue) return std::nullopt;
      ++filled;
      cover = RECT{std::min<LONG>(cover.left, x), std::min<LONG>(cover.top, y), std::max<LONG>(cover.right, x + 1),
                   std::max<LONG>(cover.bottom, y + 1)};
    }
  }
  if (filled == 0 || filled != (cover.right - cover.left) * (cover.bottom - cover.top)) return std::nullopt;
  OffsetRect(&cover, -kAt, -kAt);
  return cover;
}

// GDI+ rasterises the same way all along, so each of the four handle placements is asked once.
std::optional<RECT> KnownHandleCover(float fx, float fy) {
  static std::map<std::pair<float, float>, std::optional<RECT>> covers;
  const auto key = std::make_pair(fx, fy);
  auto known = covers.find(key);
  if (known == covers.end()) known = covers.emplace(key, HandleCover(fx, fy)).first;
  return known->second;
}

// The pixels DrawFrame colours for a w × h selection at (left, top) of the canvas, as rectangles:
// the one-pixel lines through its corners and, when asked, the handles. Empty when a handle's
// pixels are not known.
std::optional<std::vector<RECT>> FrameRects(int left, int top, int w, int h, bool handlesToo) {
  std::vector<RECT> rects{RECT{left, top, left + w + 1, top + 1}, RECT{left, top + h, left + w + 1, top + h + 1},
                          RECT{left, top, left + 1, top + h + 1}, RECT{left + w, top, left + w + 1, top + h + 1}};
  if (!handlesToo) return rects;
  // A handle of a tiny selection may reach past the frame surface, which cuts it off.
  const RECT surface{left - 2, top - 2, left + w + 3, top + h + 3};
  for (const auto& handle : HandlePlaces(w, h)) {
    const float wholeX = std::floor(handle[0]), wholeY = std::floor(handle[1]);
    const std::optional<RECT> cover = KnownHandleCover(handle[0] - wholeX, handle[1] - wholeY);
    if (!cover) return std::nullopt;
    RECT rect = *cover;
    // The frame surface lies 2 pixels up and left of the selection.
    OffsetRect(&rect, left - 2 + static_cast<int>(wholeX), top - 2 + static_cast<int>(wholeY));
    if (IntersectRect(&rect, &rect, &surface)) rects.push_back(rect);
  }
  return rects;
}

// The frozen screen at full brightness over w × h at (left, top) with the annotations there,
// framed. The plain full redraw draws the frame with GDI+, and so do captures whose handles GDI+
// would not say where it puts; otherwise the frame is filled straight into the canvas, pixel for
// pixel the same (the two redraws are held equal by the identity test).
void DrawFramed(CaptureSession& session, int left, int top, int w, int h, bool handlesToo) {
  ShowSelectionContent(session, left, top, w, h);
  if (CurrentRedrawMode() == RedrawMode::Damage) {
    if (const auto rects = FrameRects(left, top, w, h, handlesToo)) {
      session.frame.Fill(*rects, kSelectionBlue);
      return;
    }
  }
  // The frame surface is drawn on only near its edges; on a large selection, making, drawing
  // and blending its empty inside would cost more than all the rest.
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
  const GxFont& font = session.images.LabelFont();
  const int width = session.images.Measured("label", text, [&] { return MeasureLabelWidth(text, font); });
  const SurfaceUse labelBox = session.images.DrawnSurface(
      "label box", std::to_string(width), width, kLabelHeight, [&](GxGraphics& surface) { DrawLabelBox(surface, width); });
  const SurfaceUse labelText = session.images.DrawnSurface(
      "label text", text, width, kLabelHeight, [&](GxGraphics& surface) { DrawLabelText(surface, text, width, font); });

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
