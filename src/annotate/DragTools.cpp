// The tools that draw while the button is held: rectangle, ellipse, arrow, line, mosaic and blur
// from the press point to the cursor, and the brush and the highlighter through every point the
// cursor passes.

#include <algorithm>
#include <cmath>
#include <utility>

#include "annotate/DragTools.h"
#include "annotate/BrushStroke.h"
#include "annotate/HighlightStroke.h"
#include "annotate/Redaction.h"

namespace {

bool Same(GxPointF a, GxPointF b) { return a.x == b.x && a.y == b.y; }

// The point that makes a square box with `from`, on the side of `to`, as large as the longer side.
GxPointF Squared(GxPointF from, GxPointF to) {
  const float dx = to.x - from.x, dy = to.y - from.y;
  const float side = std::max(std::fabs(dx), std::fabs(dy));
  return GxPointF{from.x + (dx < 0 ? -side : side), from.y + (dy < 0 ? -side : side)};
}

GxPointF Constrained(const OutlineShape& shape, GxPointF to) {
  switch (shape.kind) {
    case OutlineKind::Arrow: return to;
    case OutlineKind::Line: return Snapped45(shape.from, to);
    case OutlineKind::Rectangle: case OutlineKind::Ellipse: break;
  }
  return Squared(shape.from, to);
}
GxPointF Constrained(const Redaction& shape, GxPointF to) { return Squared(shape.from, to); }

// Whether the shape shows anything: a click draws no outline, nor a rectangle without area.
bool Draws(const OutlineShape& shape) { return !Same(shape.from, shape.to); }
bool Draws(const Redaction& shape) {
  const RECT rect = RedactionRect(shape);
  return !IsRectEmpty(&rect);
}

// The four strips of `outer` around `inner` (which lies within it), leaving out empty ones.
std::vector<RECT> StripsAround(const RECT& outer, const RECT& inner) {
  std::vector<RECT> strips;
  for (const RECT& strip : {RECT{outer.left, outer.top, outer.right, inner.top},
                            RECT{outer.left, inner.bottom, outer.right, outer.bottom},
                            RECT{outer.left, inner.top, inner.left, inner.bottom},
                            RECT{inner.right, inner.top, outer.right, inner.bottom}})
    if (!IsRectEmpty(&strip)) strips.push_back(strip);
  return strips;
}

// Where a shape under way may look different now than it did as `shown`. An outline: anywhere.
// A redaction: only within its filter's reach of the edges that moved (see DrawRedaction).
std::optional<std::vector<RECT>> ChangedSince(const OutlineShape&, const OutlineShape&) { return std::nullopt; }
std::optional<std::vector<RECT>> ChangedSince(const Redaction& shown, const Redaction& now) {
  const RECT before = RedactionRect(shown), after = RedactionRect(now);
  if (EqualRect(&before, &after)) return std::vector<RECT>{};
  const int reach = RedactionReach(now);
  RECT kept{};
  IntersectRect(&kept, &before, &after);
  if (before.left != after.left) kept.left += reach;
  if (before.top != after.top) kept.top += reach;
  if (before.right != after.right) kept.right -= reach;
  if (before.bottom != after.bottom) kept.bottom -= reach;
  if (kept.left >= kept.right || kept.top >= kept.bottom) return std::nullopt;
  std::vector<RECT> changed = StripsAround(after, kept);
  for (const RECT& strip : StripsAround(before, kept)) changed.push_back(strip);
  return changed;
}

// A shape spanned by the press point and the cursor (OutlineShape, Redaction).
template <typename Spanned>
class SpanTool : public AnnotationTool {
 public:
  explicit SpanTool(Spanned blank) : blank_(blank) {}

  std::optional<Shape> Press(GxPointF at, const AnnotationStyle& style) override {
    shown_.reset();
    shape_ = blank_;
    shape_->from = shape_->to = at;
    shape_->style = style;
    return std::nullopt;
  }
  void Move(GxPointF to, bool constrained) override {
    if (shape_) shape_->to = constrained ? Constrained(*shape_, to) : to;
  }
  std::optional<Shape> Release() override { return Close(); }
  bool Pressed() const override { return shape_.has_value(); }
  std::optional<Shape> Close() override {
    std::optional<Spanned> shape = shape_;
    shape_.reset();
    shown_.reset();
    if (!shape || !Draws(*shape)) return std::nullopt;
    return Shape(*shape);
  }
  bool Working() const override { return shape_ && Draws(*shape_); }
  std::vector<RECT> WorkParts() const override { return Working() ? ShapeParts(*shape_) : std::vector<RECT>{}; }
  void DrawWork(GxGraphics& target, const PictureBelow* below = nullptr) const override {
    if (Working()) DrawShape(target, *shape_, below);
  }
  std::optional<std::vector<RECT>> TakeWorkChanges() override {
    std::optional<std::vector<RECT>> changed;
    if (shown_ && shape_) changed = ChangedSince(*shown_, *shape_);
    shown_ = shape_;
    return changed;
  }

 private:
  Spanned blank_;
  std::optional<Spanned> shape_;
  std::optional<Spanned> shown_;  // as it was at the last TakeWorkChanges
};

// A line through every point the cursor passes (BrushStroke, HighlightStroke).
template <typename Stroke>
class PathTool : public AnnotationTool {
 public:
  std::optional<Shape> Press(GxPointF at, const AnnotationStyle& style) override {
    stroke_ = Stroke{{at}, style};
    changes_.reset();
    return std::nullopt;
  }
  // A new point bends the segment before it (its second control point looks ahead to the new
  // point) and adds one: nothing earlier changes. A segment more on each side is room to spare.
  void Move(GxPointF to, bool) override {
    if (!stroke_ || Same(stroke_->points.back(), to)) return;
    const RECT before = StrokeTailBounds(*stroke_, 2);
    stroke_->points.push_back(to);
    if (!changes_) return;
    const RECT after = StrokeTailBounds(*stroke_, 3);
    UnionRect(&*changes_, &*changes_, &before);
    UnionRect(&*changes_, &*changes_, &after);
  }
  std::optional<Shape> Release() override { return Close(); }
  bool Pressed() const override { return stroke_.has_value(); }
  std::optional<Shape> Close() override {
    std::optional<Stroke> stroke = std::move(stroke_);
    stroke_.reset();
    changes_.reset();
    if (!stroke || stroke->points.size() < 2) return std::nullopt;
    return Shape(std::move(*stroke));
  }
  bool Working() const override { return stroke_ && stroke_->points.size() >= 2; }
  std::vector<RECT> WorkParts() const override { return Working() ? ShapeParts(*stroke_) : std::vector<RECT>{}; }
  void DrawWork(GxGraphics& target, const PictureBelow* = nullptr) const override {
    if (Working()) DrawShape(target, *stroke_);
  }
  std::optional<std::vector<RECT>> TakeWorkChanges() override {
    const std::optional<RECT> changes = std::exchange(changes_, RECT{});
    if (!changes) return std::nullopt;
    return std::vector<RECT>{*changes};
  }

 private:
  std::optional<Stroke> stroke_;
  std::optional<RECT> changes_;  // since the last TakeWorkChanges; nullopt: anywhere
};

}  // namespace

GxPointF Snapped45(GxPointF from, GxPointF to) {
  // The eight directions, a multiple of 45° apart from the x axis on (y points down).
  static const GxPointF directions[8] = {{1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}, {1, -1}};
  const float dx = to.x - from.x, dy = to.y - from.y;
  if (dx == 0 && dy == 0) return to;
  const float eighths = std::round(std::atan2(dy, dx) / (std::atan(1.0f) * 4) * 4);
  const GxPointF d = directions[(static_cast<int>(eighths) + 8) % 8];
  const float along = (dx * d.x + dy * d.y) / (d.x * d.x + d.y * d.y);
  return GxPointF{from.x + along * d.x, from.y + along * d.y};
}

std::unique_ptr<AnnotationTool> MakeOutlineTool(OutlineKind kind) {
  return std::make_unique<SpanTool<OutlineShape>>(OutlineShape{kind, {}, {}, {}});
}
std::unique_ptr<AnnotationTool> MakeRedactionTool(RedactionKind kind) {
  return std::make_unique<SpanTool<Redaction>>(Redaction{kind, {}, {}, {}});
}
std::unique_ptr<AnnotationTool> MakeBrushTool() { return std::make_unique<PathTool<BrushStroke>>(); }
std::unique_ptr<AnnotationTool> MakeHighlighterTool() { return std::make_unique<PathTool<HighlightStroke>>(); }
