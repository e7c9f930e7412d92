#include "app/canvas/FrameDamage.h"

#include <algorithm>

#include "app/canvas/DimmedBase.h"
#include "win/CommandLatch.h"
#include "gx/GxGraphics.h"
#include "win/LayeredCanvas.h"

namespace {

// The overlay's messages nest (its own release of the mouse arrives inside the release), and a
// push may make the system send it more: both are about the one thread, not about a capture.
int messageDepth = 0;
bool pushing = false;

RECT Rect(int x, int y, int width, int height) { return RECT{x, y, x + width, y + height}; }

bool Contains(const RECT& outer, const RECT& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

// An empty rectangle for a surface whose bitmap could not be made.
RECT SurfaceRect(const GxGraphics& surface) {
  if (!surface.GetSurfaceBitmap()) return RECT{};
  return Rect(0, 0, surface.GetSurfaceWidth(), surface.GetSurfaceHeight());
}

bool IsEmpty(const RECT& rect) { return rect.left >= rect.right || rect.top >= rect.bottom; }

void FillPixels(const SurfaceBits& canvas, const RECT& rect, std::uint32_t colour) {
  for (LONG y = rect.top; y < rect.bottom; ++y) {
    std::uint32_t* row = canvas.Row(y);
    if (row) std::fill(row + rect.left, row + rect.right, colour);
  }
}

// A blend can be cut into parts when its source rectangle lies wholly on the source: then each
// pixel's result depends only on the source and canvas pixel, not on the rest of the blend.
bool Divisible(const GxGraphics& source, const RECT& sourceRect) {
  return !IsEmpty(sourceRect) && Contains(SurfaceRect(source), sourceRect);
}

}  // namespace

MessageFrame::MessageFrame() { ++messageDepth; }
MessageFrame::~MessageFrame() { --messageDepth; }

FrameCanvas::FrameCanvas(LayeredCanvas& canvas, GxGraphics& frozen, GxGraphics& dim)
    : canvas_(canvas), frozen_(frozen), dim_(dim) {}

RECT FrameCanvas::Whole() const { return Rect(0, 0, canvas_.GetSurfaceWidth(), canvas_.GetSurfaceHeight()); }

bool FrameCanvas::Tracking() const {
  return CurrentRedrawMode() == RedrawMode::Damage && active_ && canvas_.IsAttached();
}

// One blend onto the canvas from the same-sized rectangle of the source at `offset` from it.
void FrameCanvas::BlendRect(const GxGraphics& source, const RECT& onCanvas, POINT offset, int alpha,
                            bool perPixelAlpha) {
  const int width = onCanvas.right - onCanvas.left, height = onCanvas.bottom - onCanvas.top;
  canvas_.AlphaBlendFrom(source.GetSurfaceDC(), onCanvas.left - offset.x, onCanvas.top - offset.y, width, height,
                         onCanvas.left, onCanvas.top, width, height, alpha, perPixelAlpha ? 1 : 0);
}

// The base over the whole canvas, without the bookkeeping. The plain full redraw blends the two
// layers; otherwise the dimmed bytes are computed, straight from the frozen layer when it covers
// the canvas, else over whatever its blend left.
void FrameCanvas::PaintWholeBase() {
  const RECT whole = Whole();
  if (dim_.GetSurfaceBitmap()) {
    BlendRect(frozen_, whole, POINT{0, 0}, 255, false);
    BlendRect(dim_, whole, POINT{0, 0}, 128, false);
  } else if (Contains(SurfaceRect(frozen_), whole)) {
    PaintDimmedFrozen(canvas_.GetSurfaceBits(), frozen_.GetSurfaceBits(), whole);
  } else {
    BlendRect(frozen_, whole, POINT{0, 0}, 255, false);
    DimInPlace(canvas_.GetSurfaceBits(), whole);
  }
}

void FrameCanvas::Start() {
  PaintWholeBase();
  whole_ = Whole();
  base_ = Region(whole_);
  // Nothing has been pushed yet: the first push while the window is visible gives it all.
  visibleAtPush_ = false;
  // A frozen layer that does not cover the canvas (a surface that could not be made) blends
  // differently in parts than as a whole: those captures are drawn the plain way.
  active_ = Contains(SurfaceRect(frozen_), whole_);
}

// Drawn the plain way: nothing is known any more.
void FrameCanvas::Forget() {
  base_.Clear();
  showsFrozen_.Clear();
  annotated_.Clear();
  worked_.Clear();
  owed_.Clear();
  pushAll_ = true;
}

void FrameCanvas::OweBase() {
  owed_ = Region(whole_);
  owed_.Remove(base_);
  if (messageDepth == 0) Settle(Region(whole_));
}

// Pays the owed base repaint where it lies within `area`.
void FrameCanvas::Settle(const Region& area) {
  Region due = owed_.Copy();
  due.IntersectWith(area);
  if (due.IsEmpty()) return;
  pushed_.Keep(due, canvas_.GetSurfaceDC());
  const SurfaceBits canvas = canvas_.GetSurfaceBits();
  const SurfaceBits frozen = frozen_.GetSurfaceBits();
  for (const RECT& rect : due.Rects()) PaintDimmedFrozen(canvas, frozen, rect);
  owed_.Remove(due);
  showsFrozen_.Remove(due);
  annotated_.Remove(due);
  worked_.Remove(due);
  base_.Add(due);
}

Region FrameCanvas::Clipped(const RECT& rect) const {
  Region area(rect);
  area.IntersectWith(Region(whole_));
  return area;
}

// The frozen layer copied over `rect`, and the annotation layer blended over it when there is
// one: the result does not depend on what was there, so neither an owed base nor pixels that
// already show the same need any work. Where the shape under way is shown as it is, it stays.
void FrameCanvas::ShowSelection(const RECT& rect, const GxGraphics* layer) {
  if (!Divisible(frozen_, rect) || (layer && !Divisible(*layer, rect))) {
    BlendWhole(frozen_, rect, POINT{0, 0}, 255, false);
    if (layer) BlendWhole(*layer, rect, POINT{0, 0}, 255, true);
    return;
  }
  Region& shows = layer ? annotated_ : showsFrozen_;
  Region area = Clipped(rect);
  Region work = area.Copy();
  work.Remove(shows);
  work.Remove(worked_);
  pushed_.Keep(work, canvas_.GetSurfaceDC());
  const SurfaceBits canvas = canvas_.GetSurfaceBits();
  const SurfaceBits pixels = frozen_.GetSurfaceBits();
  for (const RECT& part : work.Rects()) {
    CopyFrozen(canvas, pixels, part);
    if (layer) BlendRect(*layer, part, POINT{0, 0}, 255, true);
  }
  owed_.Remove(area);
  base_.Remove(area);
  area.Remove(worked_);
  showsFrozen_.Remove(area);
  annotated_.Remove(area);
  shows.Add(area);
}

// A whole surface onto `rect`: only its part on the canvas is blended, after the base owed
// there has been painted.
void FrameCanvas::BlendSurface(const GxGraphics& source, const RECT& rect, int alpha, bool perPixelAlpha) {
  const POINT offset{rect.left, rect.top};
  RECT visible{};
  if (!Divisible(source, Rect(0, 0, rect.right - rect.left, rect.bottom - rect.top)) ||
      !IntersectRect(&visible, &rect, &whole_)) {
    BlendWhole(source, rect, offset, alpha, perPixelAlpha);
    return;
  }
  const Region area(visible);
  Settle(area);
  pushed_.Keep(area, canvas_.GetSurfaceDC());
  BlendRect(source, visible, offset, alpha, perPixelAlpha);
  Drawn(area);
}

// A blend that cannot be cut (or would fail) is made as it is; its whole rectangle counts as
// drawn on.
void FrameCanvas::BlendWhole(const GxGraphics& source, const RECT& rect, POINT offset, int alpha,
                             bool perPixelAlpha) {
  Region area = Clipped(rect);
  Settle(area);
  pushed_.Keep(area, canvas_.GetSurfaceDC());
  BlendRect(source, rect, offset, alpha, perPixelAlpha);
  Drawn(area);
}

void FrameCanvas::Drawn(const Region& area) {
  base_.Remove(area);
  showsFrozen_.Remove(area);
  annotated_.Remove(area);
  worked_.Remove(area);
}

// Pays what is owed; the rectangle that changed since the last push (empty when none).
RECT FrameCanvas::TakeChanges() {
  Settle(Region(whole_));
  const RECT changed = pushed_.TakeChangedBounds(canvas_.GetSurfaceDC());
  // A window shown since the last push gets all of it: what it was given while hidden shows
  // only once the system has redrawn it.
  const bool visible = IsWindowVisible(canvas_.GetWindow()) != FALSE;
  const bool shown = visible && !visibleAtPush_;
  visibleAtPush_ = visible;
  if (!pushAll_ && !shown) return changed;
  pushAll_ = false;
  return whole_;
}

void FrameCanvas::PaintBase() {
  if (Tracking()) {
    OweBase();
    return;
  }
  Forget();
  PaintWholeBase();
}

void FrameCanvas::Blend(const GxGraphics& surface, int x, int y, int alpha, bool perPixelAlpha) {
  const RECT rect = Rect(x, y, surface.GetSurfaceWidth(), surface.GetSurfaceHeight());
  if (Tracking()) {
    BlendSurface(surface, rect, alpha, perPixelAlpha);
    return;
  }
  Forget();
  BlendRect(surface, rect, POINT{x, y}, alpha, perPixelAlpha);
}

void FrameCanvas::Fill(const std::vector<RECT>& rects, std::uint32_t colour) {
  Region area;
  for (const RECT& rect : rects) area.Add(rect);
  area.IntersectWith(Region(Whole()));
  const bool tracking = Tracking();
  if (tracking) {
    Settle(area);
    pushed_.Keep(area, canvas_.GetSurfaceDC());
  } else {
    Forget();
  }
  GdiFlush();  // blends GDI may still hold back land first
  const SurfaceBits canvas = canvas_.GetSurfaceBits();
  for (const RECT& rect : area.Rects()) FillPixels(canvas, rect, colour);
  if (tracking) Drawn(area);
}

void FrameCanvas::ShowAnnotated(int x, int y, int width, int height, const GxGraphics* layer) {
  const RECT rect = Rect(x, y, width, height);
  if (Tracking()) {
    ShowSelection(rect, layer);
    return;
  }
  Forget();
  BlendRect(frozen_, rect, POINT{0, 0}, 255, false);
  if (layer) BlendRect(*layer, rect, POINT{0, 0}, 255, true);
}

// The annotation layer changed in `rect`: the canvas shows its old pixels there.
void FrameCanvas::AnnotationsChanged(const RECT& rect) {
  if (!Tracking()) return;
  annotated_.Remove(Region(rect));
  worked_.Remove(Region(rect));
}

void FrameCanvas::BlendWork(const GxGraphics& surface, int x, int y) {
  Blend(surface, x, y, 255, true);
  if (Tracking()) worked_.Add(Clipped(Rect(x, y, surface.GetSurfaceWidth(), surface.GetSurfaceHeight())));
}

void FrameCanvas::WorkChanged(const std::optional<std::vector<RECT>>& rects) {
  if (!rects) {
    worked_.Clear();
    return;
  }
  for (const RECT& rect : *rects) worked_.Remove(rect);
}

Region FrameCanvas::WorkToDraw(const Region& area) const {
  Region draw = area.Copy();
  draw.Remove(worked_);
  return draw;
}

bool FrameCanvas::Present() {
  if (pushing) return false;
  // A message the overlay gets while it handles another (its own release of the mouse) leaves
  // the push to that one, which pushes once it is done; inside a command's own loop (the save
  // dialog) there is no such push to wait for.
  if (messageDepth > 1 && !CommandScope::Running()) return true;
  pushing = true;
  bool pushed = false;
  if (Tracking()) {
    const RECT changed = TakeChanges();
    pushed = IsEmpty(changed) || canvas_.PresentDirty(changed);
  } else {
    pushed = canvas_.Present();
  }
  pushing = false;
  return pushed;
}

std::vector<RECT> EdgeParts(int width, int height, int margin) {
  if (CurrentRedrawMode() == RedrawMode::Full || width <= 2 * margin || height <= 2 * margin)
    return {Rect(0, 0, width, height)};
  return {RECT{0, 0, width, margin}, RECT{0, height - margin, width, height}, RECT{0, margin, margin, height - margin},
          RECT{width - margin, margin, width, height - margin}};
}
