#include "annotate/Redaction.h"

#include <algorithm>
#include <cmath>

#include "annotate/TargetPixels.h"

namespace {

int SizeIndex(const AnnotationStyle& style) { return std::clamp(style.size, 0, kStyleSizes - 1); }

RECT Intersection(const RECT& a, const RECT& b) {
  RECT both{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
  if (both.left >= both.right || both.top >= both.bottom) return RECT{};
  return both;
}

// Premultiplied `over` blended onto the opaque `under`, as AlphaBlend blends it: each byte of
// `over` plus that of `under` scaled by what `over` leaves of it.
std::uint32_t Over(std::uint32_t over, std::uint32_t under) {
  const std::uint32_t keep = 255 - (over >> 24);
  std::uint32_t result = 0xFF000000u;
  for (int shift = 0; shift < 24; shift += 8) {
    const std::uint32_t byte = ((over >> shift) & 0xFF) + (((under >> shift) & 0xFF) * keep + 127) / 255;
    result |= std::min<std::uint32_t>(byte, 255) << shift;
  }
  return result;
}

void Filter(const Redaction& redaction, PixelBlock& block) {
  if (redaction.kind == RedactionKind::Mosaic) {
    Mosaic(block, MosaicCell(redaction.style));
  } else {
    Blur(block, BlurRadius(redaction.style));
  }
}

// The rows of a picture of bits as screen rows; null off the picture.
const std::uint32_t* ScreenRow(const SurfaceBits& bits, POINT origin, LONG y) { return bits.Row(y - origin.y); }

}  // namespace

RECT RedactionRect(const Redaction& redaction) {
  const RECT rect{std::lround(std::min(redaction.from.x, redaction.to.x)),
                  std::lround(std::min(redaction.from.y, redaction.to.y)),
                  std::lround(std::max(redaction.from.x, redaction.to.x)),
                  std::lround(std::max(redaction.from.y, redaction.to.y))};
  if (rect.left >= rect.right || rect.top >= rect.bottom) return RECT{};
  return rect;
}

int MosaicCell(const AnnotationStyle& style) {
  static const int cells[kStyleSizes] = {8, 14, 20};
  return cells[SizeIndex(style)];
}

int BlurRadius(const AnnotationStyle& style) {
  static const int radii[kStyleSizes] = {4, 8, 12};
  return radii[SizeIndex(style)];
}

PixelBlock PictureUnder(const PictureBelow& below, const RECT& area) {
  const RECT picture{below.origin.x, below.origin.y, below.origin.x + below.screen.width,
                     below.origin.y + below.screen.height};
  PixelBlock block;
  block.area = Intersection(area, picture);
  block.pixels.resize(static_cast<size_t>(block.Width()) * static_cast<size_t>(block.Height()));
  const bool layered = below.layer.bits && below.layer.width >= below.screen.width &&
                       below.layer.height >= below.screen.height;
  for (int y = 0; y < block.Height(); ++y) {
    const LONG screenY = block.area.top + y;
    const std::uint32_t* screen = ScreenRow(below.screen, below.origin, screenY) + (block.area.left - below.origin.x);
    const std::uint32_t* layer =
        layered ? ScreenRow(below.layer, below.origin, screenY) + (block.area.left - below.origin.x) : nullptr;
    std::uint32_t* out = block.Row(y);
    for (int x = 0; x < block.Width(); ++x) out[x] = layer ? Over(layer[x], screen[x]) : screen[x] | 0xFF000000u;
  }
  return block;
}

void Redact(const Redaction& redaction, PixelBlock& block) {
  const RECT rect = Intersection(RedactionRect(redaction), block.area);
  if (rect.left >= rect.right) return;
  if (EqualRect(&rect, &block.area)) {
    Filter(redaction, block);
    return;
  }
  PixelBlock inside;
  inside.area = rect;
  inside.pixels.resize(static_cast<size_t>(inside.Width()) * static_cast<size_t>(inside.Height()));
  const int dx = rect.left - block.area.left, dy = rect.top - block.area.top;
  for (int y = 0; y < inside.Height(); ++y)
    std::copy_n(block.Row(y + dy) + dx, inside.Width(), inside.Row(y));
  Filter(redaction, inside);
  for (int y = 0; y < inside.Height(); ++y)
    std::copy_n(inside.Row(y), inside.Width(), block.Row(y + dy) + dx);
}

// A redacted pixel depends only on the picture within the filter's reach of it and on the
// rectangle's edges within that reach. So only the part of the rectangle the target holds is
// redacted, from a block reaching that far past it (cut to the rectangle): pixel for pixel what
// redacting the whole rectangle gives there, at the cost of the part. A redaction being dragged
// is redrawn in thin strips along the edges that moved.
void DrawRedaction(GxGraphics& target, const Redaction& redaction, const PictureBelow* below) {
  if (!below || !below->screen.bits) return;
  const std::optional<TargetPixels> pixels = PixelsOf(target);
  if (!pixels) return;
  const RECT rect = RedactionRect(redaction);
  const RECT shown = Intersection(rect, pixels->ScreenArea());
  if (shown.left >= shown.right || shown.top >= shown.bottom) return;
  const int reach = RedactionReach(redaction);
  PixelBlock block = PictureUnder(
      *below, Intersection(RECT{shown.left - reach, shown.top - reach, shown.right + reach, shown.bottom + reach}, rect));
  Redact(redaction, block);
  // The block reaches past what the target holds (and stops where the picture does): only the
  // part both hold is written.
  const RECT written = Intersection(block.area, shown);
  for (LONG y = written.top; y < written.bottom; ++y)
    std::copy_n(block.Row(y - block.area.top) + (written.left - block.area.left), written.right - written.left,
                pixels->At(written.left, y));
}

int RedactionReach(const Redaction& redaction) {
  return redaction.kind == RedactionKind::Mosaic ? MosaicCell(redaction.style) : kBlurPasses * BlurRadius(redaction.style);
}

