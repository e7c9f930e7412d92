#include "app/canvas/PushedPixels.h"

#include <algorithm>
#include <cstring>


namespace {

// The canvas's DIB section: 32-bit pixels, rows bottom-up.
struct CanvasBits {
  std::uint32_t* bits = nullptr;
  int width = 0, height = 0;

  std::uint32_t* Row(int y) const { return bits + static_cast<size_t>(height - 1 - y) * static_cast<size_t>(width); }
};

CanvasBits Canvas(HDC canvasDC) {
  GdiFlush();  // what GDI may still hold back must be in the bits before they are read
  HBITMAP bitmap = static_cast<HBITMAP>(GetCurrentObject(canvasDC, OBJ_BITMAP));
  DIBSECTION dib{};
  if (!bitmap || GetObjectA(bitmap, sizeof dib, &dib) != sizeof dib || !dib.dsBm.bmBits || dib.dsBmih.biHeight < 0)
    return {};
  return CanvasBits{static_cast<std::uint32_t*>(dib.dsBm.bmBits), dib.dsBm.bmWidth, dib.dsBm.bmHeight};
}

RECT OnCanvas(const RECT& rect, const CanvasBits& canvas) {
  return RECT{std::max<LONG>(rect.left, 0), std::max<LONG>(rect.top, 0), std::min<LONG>(rect.right, canvas.width),
              std::min<LONG>(rect.bottom, canvas.height)};
}

size_t Pixels(const RECT& rect) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return 0;
  return static_cast<size_t>(rect.right - rect.left) * static_cast<size_t>(rect.bottom - rect.top);
}

void Include(RECT& bounds, const RECT& more) {
  if (bounds.right <= bounds.left) {
    bounds = more;
    return;
  }
  UnionRect(&bounds, &bounds, &more);
}

}  // namespace

void PushedPixels::Keep(const Region& area, HDC canvasDC) {
  Region fresh = area.Copy();
  fresh.Remove(kept_);
  if (fresh.IsEmpty()) return;
  kept_.Add(fresh);
  if (overflow_) return;
  const CanvasBits canvas = Canvas(canvasDC);
  for (const RECT& wanted : fresh.Rects()) {
    const RECT rect = OnCanvas(wanted, canvas);
    const size_t count = Pixels(rect);
    if (count == 0) continue;
    // More than a quarter of the screen (finishing wipes the whole canvas): comparing would
    // cost more than it could save.
    keptPixels_ += count;
    if (!canvas.bits || keptPixels_ > Pixels(RECT{0, 0, canvas.width, canvas.height}) / 4) {
      overflow_ = true;
      pieces_.clear();
      return;
    }
    Piece piece{rect, std::vector<std::uint32_t>(count)};
    const size_t width = static_cast<size_t>(rect.right - rect.left);
    for (LONG y = rect.top; y < rect.bottom; ++y)
      std::memcpy(&piece.pixels[(y - rect.top) * width], canvas.Row(y) + rect.left, width * sizeof(std::uint32_t));
    pieces_.push_back(std::move(piece));
  }
}

RECT PushedPixels::TakeChangedBounds(HDC canvasDC) {
  RECT bounds{};
  if (overflow_) {
    bounds = kept_.Bounds();
  } else {
    const CanvasBits canvas = Canvas(canvasDC);
    for (const Piece& piece : pieces_) {
      const RECT& rect = piece.rect;
      const LONG width = rect.right - rect.left;
      for (LONG y = rect.top; y < rect.bottom; ++y) {
        const std::uint32_t* before = &piece.pixels[static_cast<size_t>(y - rect.top) * static_cast<size_t>(width)];
        const std::uint32_t* now = canvas.Row(y) + rect.left;
        if (std::memcmp(before, now, static_cast<size_t>(width) * sizeof(std::uint32_t)) == 0) continue;
        LONG first = 0, last = width - 1;
        while (before[first] == now[first]) ++first;
        while (before[last] == now[last]) --last;
        Include(bounds, RECT{rect.left + first, y, rect.left + last + 1, y + 1});
      }
    }
  }
  kept_.Clear();
  pieces_.clear();
  keptPixels_ = 0;
  overflow_ = false;
  return bounds;
}
