#include "annotate/HighlightStroke.h"

#include <algorithm>
#include <cmath>

#include "annotate/BrushStroke.h"
#include "annotate/ShapeGeometry.h"
#include "annotate/TargetPixels.h"
#include "gx/GxGraphics.h"
#include "gx/GxPen.h"

namespace {

int Margin(const HighlightStroke& stroke) { return static_cast<int>(std::ceil(HighlightWidth(stroke.style) / 2)) + 2; }

// The stroke's pen in `colour`: round ends and joins, as a felt tip leaves them.
void DrawCurve(GxGraphics& target, const HighlightStroke& stroke, std::uint32_t colour) {
  GxPen pen;
  pen.Create(colour, HighlightWidth(stroke.style));
  pen.SetLineCap(Gdiplus::LineCapRound, Gdiplus::LineCapRound, Gdiplus::DashCapRound);
  pen.SetLineJoin(Gdiplus::LineJoinRound);
  target.DrawBeziers(pen, StrokeCurve(stroke.points));
}

// Each premultiplied byte of the mask, faded to the highlighter's alpha, over the target's.
std::uint32_t FadedOver(std::uint32_t mask, std::uint32_t under) {
  const std::uint32_t keep = 255 - ((mask >> 24) * kHighlightAlpha + 127) / 255;
  std::uint32_t result = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const std::uint32_t over = (((mask >> shift) & 0xFF) * kHighlightAlpha + 127) / 255;
    const std::uint32_t byte = over + (((under >> shift) & 0xFF) * keep + 127) / 255;
    result |= std::min<std::uint32_t>(byte, 255) << shift;
  }
  return result;
}

}  // namespace

float HighlightWidth(const AnnotationStyle& style) {
  static const float widths[kStyleSizes] = {12, 20, 28};
  return widths[std::clamp(style.size, 0, kStyleSizes - 1)];
}

// The stroke is drawn opaque once, into a mask, and the mask blended once at the highlighter's
// alpha: drawn with a translucent pen, every crossing and every overlap of its segments would
// show darker.
void DrawHighlight(GxGraphics& target, const HighlightStroke& stroke) {
  if (stroke.points.size() < 2) return;
  const std::optional<TargetPixels> pixels = PixelsOf(target);
  if (!pixels) {
    DrawCurve(target, stroke, (kHighlightAlpha << 24) | (stroke.style.colour & 0xFFFFFF));
    return;
  }
  RECT area{};
  const RECT bounds = HighlightBounds(stroke), surface = pixels->ScreenArea();
  if (!IntersectRect(&area, &bounds, &surface)) return;
  GxGraphics mask;
  if (!mask.CreateSurface(area.right - area.left, area.bottom - area.top)) return;
  mask.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  mask.TranslateTransform(static_cast<float>(-area.left), static_cast<float>(-area.top));
  DrawCurve(mask, stroke, 0xFF000000u | stroke.style.colour);
  const SurfaceBits ink = mask.GetSurfaceBits();
  for (LONG y = area.top; y < area.bottom; ++y) {
    const std::uint32_t* from = ink.Row(y - area.top);
    std::uint32_t* to = pixels->At(area.left, y);
    for (LONG x = 0; x < area.right - area.left; ++x)
      if (from[x]) to[x] = FadedOver(from[x], to[x]);
  }
}

RECT HighlightBounds(const HighlightStroke& stroke) {
  if (stroke.points.size() < 2) return RECT{};
  return BoundsAround(StrokeCurve(stroke.points), Margin(stroke));
}

RECT StrokeTailBounds(const HighlightStroke& stroke, size_t segments) {
  return CurveTailBounds(StrokeCurve(stroke.points), segments, Margin(stroke));
}

std::vector<RECT> HighlightParts(const HighlightStroke& stroke) {
  if (stroke.points.size() < 2) return {};
  return CurveParts(StrokeCurve(stroke.points), Margin(stroke));
}
