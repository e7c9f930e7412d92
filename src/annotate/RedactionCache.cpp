#include "annotate/RedactionCache.h"

#include <algorithm>

#include "annotate/Redaction.h"

namespace {

RECT Cut(RECT a, const RECT& b) {
  RECT both{};
  IntersectRect(&both, &a, &b);
  return both;
}

RECT PictureArea(const PictureBelow& below) {
  return RECT{below.origin.x, below.origin.y, below.origin.x + below.screen.width, below.origin.y + below.screen.height};
}

bool SameSurface(const SurfaceBits& a, const SurfaceBits& b) {
  return a.bits == b.bits && a.width == b.width && a.height == b.height && a.stride == b.stride &&
         a.bottomUp == b.bottomUp;
}

void CopyRect(const PixelBlock& from, PixelBlock& to, const RECT& rect) {
  for (LONG y = rect.top; y < rect.bottom; ++y)
    std::copy_n(from.Row(y - from.area.top) + (rect.left - from.area.left), rect.right - rect.left,
                to.Row(y - to.area.top) + (rect.left - to.area.left));
}

}  // namespace

bool RedactionCache::Continues(const Redaction& redaction, const PictureBelow& below) const {
  return last_ && last_->kind == redaction.kind && RedactionReach(*last_) == RedactionReach(redaction) &&
         SameSurface(below_.screen, below.screen) && SameSurface(below_.layer, below.layer) &&
         below_.origin.x == below.origin.x && below_.origin.y == below.origin.y;
}

void RedactionCache::RedactAfresh(const Redaction& redaction, const PictureBelow& below) {
  block_ = PictureUnder(below, RedactionRect(redaction));
  Redact(redaction, block_);
}

const PixelBlock& RedactionCache::Redacted(const Redaction& redaction, const PictureBelow& below) {
  const bool continues = Continues(redaction, below);
  last_ = redaction;
  below_ = below;
  const RECT area = Cut(RedactionRect(redaction), PictureArea(below));
  const RECT before = block_.area;
  RECT kept = Cut(area, before);
  const int reach = RedactionReach(redaction);
  if (area.left != before.left) kept.left += reach;
  if (area.top != before.top) kept.top += reach;
  if (area.right != before.right) kept.right -= reach;
  if (area.bottom != before.bottom) kept.bottom -= reach;
  if (!continues || kept.left >= kept.right || kept.top >= kept.bottom) {
    RedactAfresh(redaction, below);
    return block_;
  }
  if (EqualRect(&area, &before)) return block_;

  PixelBlock next;
  next.area = area;
  next.pixels.resize(static_cast<size_t>(next.Width()) * static_cast<size_t>(next.Height()));
  CopyRect(block_, next, kept);
  const RECT strips[] = {
      {area.left, area.top, area.right, kept.top},       {area.left, kept.bottom, area.right, area.bottom},
      {area.left, kept.top, kept.left, kept.bottom},     {kept.right, kept.top, area.right, kept.bottom},
  };
  for (const RECT& strip : strips) {
    if (strip.left >= strip.right || strip.top >= strip.bottom) continue;
    // Past the strip as far as the filter looks, so the strip's pixels come out as they would
    // from the whole rectangle.
    PixelBlock part = PictureUnder(below, Cut(RECT{strip.left - reach, strip.top - reach, strip.right + reach,
                                                   strip.bottom + reach}, area));
    Redact(redaction, part);
    CopyRect(part, next, strip);
  }
  block_ = std::move(next);
  return block_;
}
