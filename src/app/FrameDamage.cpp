#include "app/FrameDamage.h"

#include "app/CommandLatch.h"
#include "app/DimmedBase.h"
#include "app/Globals.h"
#include "app/PushedPixels.h"
#include "app/Region.h"

namespace {

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

// A blend can be cut into parts when its source rectangle lies wholly on the source: then each
// pixel's result depends only on the source and canvas pixel, not on the rest of the blend.
bool Divisible(const GxGraphics& source, const RECT& sourceRect) {
  return !IsEmpty(sourceRect) && Contains(SurfaceRect(source), sourceRect);
}

// One blend onto the canvas from the same-sized rectangle of the source at `offset` from it.
void Blend(const GxGraphics& source, const RECT& onCanvas, POINT offset, int alpha, bool perPixelAlpha) {
  const int width = onCanvas.right - onCanvas.left, height = onCanvas.bottom - onCanvas.top;
  Objects().OverlayCanvas.AlphaBlendFrom(source.GetSurfaceDC(), onCanvas.left - offset.x, onCanvas.top - offset.y,
                                         width, height, onCanvas.left, onCanvas.top, width, height, alpha,
                                         perPixelAlpha ? 1 : 0);
}

// What the canvas is known to show. The knowledge holds for pixels that nothing has blended
// over since; in RedrawMode::Full nothing is known.
class CanvasKnowledge {
 public:
  bool Active() const { return active_ && Objects().OverlayCanvas.IsAttached(); }

  // Nothing known is kept past the capture: the next one may have a smaller canvas, against
  // which remembered rectangles and pixels would be read outside the surface.
  void End() { *this = CanvasKnowledge{}; }

  void Start() {
    const LayeredCanvas& canvas = Objects().OverlayCanvas;
    canvas_ = Rect(0, 0, canvas.GetSurfaceWidth(), canvas.GetSurfaceHeight());
    base_ = Region(canvas_);
    frozen_.Clear();
    annotated_.Clear();
    owed_.Clear();
    pushAll_ = false;
    // Nothing has been pushed yet: the first push while the window is visible gives it all.
    visibleAtPush_ = false;
    pushed_.TakeChangedBounds();
    // A frozen layer that does not cover the canvas (a surface that could not be made) blends
    // differently in parts than as a whole: those captures are drawn the plain way.
    active_ = Contains(SurfaceRect(Objects().FrozenLayer), canvas_);
  }

  // Drawn the plain way: nothing is known any more.
  void Forget() {
    base_.Clear();
    frozen_.Clear();
    annotated_.Clear();
    owed_.Clear();
    pushAll_ = true;
  }

  void OweBase() {
    owed_ = Region(canvas_);
    owed_.Remove(base_);
    if (messageDepth == 0) Settle(Region(canvas_));
  }

  // Pays the owed base repaint where it lies within `area`.
  void Settle(const Region& area) {
    Region due = owed_.Copy();
    due.IntersectWith(area);
    if (due.IsEmpty()) return;
    pushed_.Keep(due);
    const SurfaceBits canvas = Objects().OverlayCanvas.GetSurfaceBits();
    const SurfaceBits frozen = Objects().FrozenLayer.GetSurfaceBits();
    for (const RECT& rect : due.Rects()) PaintDimmedFrozen(canvas, frozen, rect);
    owed_.Remove(due);
    frozen_.Remove(due);
    annotated_.Remove(due);
    base_.Add(due);
  }

  // The frozen layer copied over `rect`, and the annotation layer blended over it when there is
  // one: the result does not depend on what was there, so neither an owed base nor pixels that
  // already show the same need any work.
  void ShowSelection(const RECT& rect, const GxGraphics* layer) {
    GxGraphics& frozen = Objects().FrozenLayer;
    if (!Divisible(frozen, rect) || (layer && !Divisible(*layer, rect))) {
      BlendWhole(frozen, rect, POINT{0, 0}, 255, false);
      if (layer) BlendWhole(*layer, rect, POINT{0, 0}, 255, true);
      return;
    }
    Region& shows = layer ? annotated_ : frozen_;
    Region area = Clipped(rect);
    Region work = area.Copy();
    work.Remove(shows);
    pushed_.Keep(work);
    const SurfaceBits canvas = Objects().OverlayCanvas.GetSurfaceBits();
    const SurfaceBits pixels = frozen.GetSurfaceBits();
    for (const RECT& part : work.Rects()) {
      CopyFrozen(canvas, pixels, part);
      if (layer) Blend(*layer, part, POINT{0, 0}, 255, true);
    }
    owed_.Remove(area);
    base_.Remove(area);
    frozen_.Remove(area);
    annotated_.Remove(area);
    shows.Add(area);
  }

  // The annotation layer changed in `rect`: the canvas shows its old pixels there.
  void LayerChanged(const RECT& rect) { annotated_.Remove(Region(rect)); }

  // A whole surface onto `rect`: only its part on the canvas is blended, after the base owed
  // there has been painted.
  void BlendSurface(const GxGraphics& source, const RECT& rect, int alpha, bool perPixelAlpha) {
    const POINT offset{rect.left, rect.top};
    RECT visible{};
    if (!Divisible(source, Rect(0, 0, rect.right - rect.left, rect.bottom - rect.top)) ||
        !IntersectRect(&visible, &rect, &canvas_)) {
      BlendWhole(source, rect, offset, alpha, perPixelAlpha);
      return;
    }
    const Region area(visible);
    Settle(area);
    pushed_.Keep(area);
    Blend(source, visible, offset, alpha, perPixelAlpha);
    Drawn(area);
  }

  // Pays what is owed; the rectangle that changed since the last push (empty when none).
  RECT TakeChanges() {
    Settle(Region(canvas_));
    const RECT changed = pushed_.TakeChangedBounds();
    // A window shown since the last push gets all of it: what it was given while hidden shows
    // only once the system has redrawn it.
    const bool visible = IsWindowVisible(Objects().OverlayCanvas.GetWindow()) != FALSE;
    const bool shown = visible && !visibleAtPush_;
    visibleAtPush_ = visible;
    if (!pushAll_ && !shown) return changed;
    pushAll_ = false;
    return canvas_;
  }

 private:
  Region Clipped(const RECT& rect) const {
    Region area(rect);
    area.IntersectWith(Region(canvas_));
    return area;
  }

  // A blend that cannot be cut (or would fail) is made as it is; its whole rectangle counts as
  // drawn on.
  void BlendWhole(const GxGraphics& source, const RECT& rect, POINT offset, int alpha, bool perPixelAlpha) {
    Region area = Clipped(rect);
    Settle(area);
    pushed_.Keep(area);
    Blend(source, rect, offset, alpha, perPixelAlpha);
    Drawn(area);
  }

  void Drawn(const Region& area) {
    base_.Remove(area);
    frozen_.Remove(area);
    annotated_.Remove(area);
  }

  bool active_ = false;
  RECT canvas_{};
  Region base_;     // shows the frozen screen under the dimming layer
  Region frozen_;   // shows the frozen screen as it is
  Region annotated_;  // shows the frozen screen with the annotation layer over it
  Region owed_;     // RepaintBase was asked for here and not yet done
  PushedPixels pushed_;
  bool pushAll_ = false;  // drawn the plain way since the last push
  bool visibleAtPush_ = false;
};

CanvasKnowledge& Knowledge() {
  static CanvasKnowledge knowledge;
  return knowledge;
}

bool Tracking() { return CurrentRedrawMode() == RedrawMode::Damage && Knowledge().Active(); }

RECT WholeCanvas() {
  const LayeredCanvas& canvas = Objects().OverlayCanvas;
  return Rect(0, 0, canvas.GetSurfaceWidth(), canvas.GetSurfaceHeight());
}

void BlendLayerWhole(const GxGraphics& layer, int alpha) { Blend(layer, WholeCanvas(), POINT{0, 0}, alpha, false); }

// The base over the whole canvas, without the bookkeeping. The plain full redraw blends the two
// layers; otherwise the dimmed bytes are computed, straight from the frozen layer when it covers
// the canvas, else over whatever its blend left.
void PaintWholeBase() {
  Globals& objects = Objects();
  const RECT whole = WholeCanvas();
  if (objects.DimLayer.GetSurfaceBitmap()) {
    BlendLayerWhole(objects.FrozenLayer, 255);
    BlendLayerWhole(objects.DimLayer, 128);
  } else if (Contains(SurfaceRect(objects.FrozenLayer), whole)) {
    PaintDimmedFrozen(objects.OverlayCanvas.GetSurfaceBits(), objects.FrozenLayer.GetSurfaceBits(), whole);
  } else {
    BlendLayerWhole(objects.FrozenLayer, 255);
    DimInPlace(objects.OverlayCanvas.GetSurfaceBits(), whole);
  }
}

}  // namespace

void StartFrames() {
  PaintWholeBase();
  Knowledge().Start();
}
void EndFrames() { Knowledge().End(); }

MessageFrame::MessageFrame() { ++messageDepth; }
MessageFrame::~MessageFrame() { --messageDepth; }

void PaintBase() {
  if (Tracking()) {
    Knowledge().OweBase();
    return;
  }
  Knowledge().Forget();
  PaintWholeBase();
}

void BlendOntoCanvas(const GxGraphics& surface, int x, int y, int alpha, bool perPixelAlpha) {
  const RECT rect = Rect(x, y, surface.GetSurfaceWidth(), surface.GetSurfaceHeight());
  if (Tracking()) {
    Knowledge().BlendSurface(surface, rect, alpha, perPixelAlpha);
    return;
  }
  Knowledge().Forget();
  Blend(surface, rect, POINT{x, y}, alpha, perPixelAlpha);
}

void ShowAnnotated(int x, int y, int width, int height, const GxGraphics* layer) {
  const RECT rect = Rect(x, y, width, height);
  if (Tracking()) {
    Knowledge().ShowSelection(rect, layer);
    return;
  }
  Knowledge().Forget();
  Blend(Objects().FrozenLayer, rect, POINT{0, 0}, 255, false);
  if (layer) Blend(*layer, rect, POINT{0, 0}, 255, true);
}

void AnnotationsChanged(const RECT& rect) {
  if (Tracking()) Knowledge().LayerChanged(rect);
}

std::vector<RECT> EdgeParts(int width, int height, int margin) {
  if (CurrentRedrawMode() == RedrawMode::Full || width <= 2 * margin || height <= 2 * margin)
    return {Rect(0, 0, width, height)};
  return {RECT{0, 0, width, margin}, RECT{0, height - margin, width, height}, RECT{0, margin, margin, height - margin},
          RECT{width - margin, margin, width, height - margin}};
}

bool PresentFrame() {
  if (pushing) return false;
  // A message the overlay gets while it handles another (its own release of the mouse) leaves
  // the push to that one, which pushes once it is done; inside a command's own loop (the save
  // dialog) there is no such push to wait for.
  if (messageDepth > 1 && !CommandScope::Running()) return true;
  pushing = true;
  LayeredCanvas& canvas = Objects().OverlayCanvas;
  bool pushed = false;
  if (Tracking()) {
    const RECT changed = Knowledge().TakeChanges();
    pushed = IsEmpty(changed) || canvas.PresentDirty(changed);
  } else {
    pushed = canvas.Present();
  }
  pushing = false;
  return pushed;
}
