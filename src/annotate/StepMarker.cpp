#include "annotate/StepMarker.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "annotate/ShapeGeometry.h"
#include "gx/LabelFont.h"
#include "gx/GxFont.h"
#include "gx/GxGraphics.h"
#include "gx/GxSolidBrush.h"
#include "gx/GxStringFormat.h"

namespace {

size_t Digits(const StepMarker& marker) { return std::to_wstring(marker.number).size(); }

// The digits fill most of the circle's height, or most of its width where they are wider.
bool CreateDigitFont(GxGraphics& target, const std::wstring& digits, float radius, const GxStringFormat& format,
                     GxFont& font) {
  const float tallest = 1.1f * radius, widest = 1.5f * radius;
  if (!CreateLabelFont(font, tallest)) return false;
  GxRectF box;
  if (!target.MeasureStringW(digits, font, GxRectF{0, 0, 1000, 1000}, &format, box) || box.width <= widest) return true;
  return CreateLabelFont(font, tallest * widest / box.width);
}

}  // namespace

float StepRadius(const StepMarker& marker) {
  static const float radii[kStyleSizes] = {11, 15, 20};
  const float radius = radii[std::clamp(marker.style.size, 0, kStyleSizes - 1)];
  return radius * static_cast<float>(std::max<size_t>(Digits(marker), 2)) / 2;
}

std::uint32_t StepDigitColour(std::uint32_t fill) {
  const std::uint32_t red = (fill >> 16) & 0xFF, green = (fill >> 8) & 0xFF, blue = fill & 0xFF;
  const std::uint32_t brightness = (299 * red + 587 * green + 114 * blue) / 1000;
  return brightness >= 150 ? 0xFF000000u : 0xFFFFFFFFu;
}

int NextStepNumber(const std::vector<Shape>& shapes) {
  int highest = 0;
  for (const Shape& shape : shapes)
    if (const StepMarker* marker = std::get_if<StepMarker>(&shape)) highest = std::max(highest, marker->number);
  return highest + 1;
}

void DrawStepMarker(GxGraphics& target, const StepMarker& marker) {
  const float radius = StepRadius(marker);
  const GxRectF circle{marker.centre.x - radius, marker.centre.y - radius, 2 * radius, 2 * radius};
  GxSolidBrush fill;
  fill.Create(0xFF000000u | marker.style.colour);
  target.FillEllipse(fill, circle.x, circle.y, circle.width, circle.height);

  const std::wstring digits = std::to_wstring(marker.number);
  GxStringFormat format;
  format.CreateGenericTypographic();
  format.SetFormatFlags(format.GetFormatFlags() | Gdiplus::StringFormatFlagsNoWrap);
  format.SetAlignment(Gdiplus::StringAlignmentCenter);
  format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
  GxFont font;
  if (!CreateDigitFont(target, digits, radius, format, font)) return;
  GxSolidBrush digit;
  digit.Create(StepDigitColour(marker.style.colour));
  target.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
  target.DrawStringW(digits, font, digit, circle, &format);
}

RECT StepMarkerBounds(const StepMarker& marker) {
  return BoundsAround({marker.centre}, static_cast<int>(std::ceil(StepRadius(marker))) + 2);
}
