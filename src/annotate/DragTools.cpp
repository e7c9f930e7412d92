// The tools that draw while the button is held: rectangle, ellipse and arrow from the press point
// to the cursor, and the brush through every point the cursor passes.

#include <algorithm>
#include <cmath>

#include "annotate/DragTools.h"

namespace {

bool Same(GxPointF a, GxPointF b) { return a.x == b.x && a.y == b.y; }

// The point that makes a square box with `from`, on the side of `to`, as large as the longer side.
GxPointF Squared(GxPointF from, GxPointF to) {
  const float dx = to.x - from.x, dy = to.y - from.y;
  const float side = std::max(std::fabs(dx), std::fabs(dy));
  return GxPointF{from.x + (dx < 0 ? -side : side), from.y + (dy < 0 ? -side : side)};
}

class OutlineTool : public AnnotationTool {
 public:
  explicit OutlineTool(OutlineKind kind) : kind_(kind) {}

  std::optional<Shape> Press(GxPointF at, const AnnotationStyle& style) override {
    shape_ = OutlineShape{kind_, at, at, style};
    return std::nullopt;
  }
  void Move(GxPointF to, bool constrained) override {
    if (!shape_) return;
    shape_->to = constrained && kind_ != OutlineKind::Arrow ? Squared(shape_->from, to) : to;
  }
  std::optional<Shape> Release() override { return Close(); }
  bool Pressed() const override { return shape_.has_value(); }
  std::optional<Shape> Close() override {
    std::optional<OutlineShape> shape = shape_;
    shape_.reset();
    if (!shape || Same(shape->from, shape->to)) return std::nullopt;  // a click draws nothing
    return Shape(*shape);
  }
  bool Working() const override { return shape_ && !Same(shape_->from, shape_->to); }
  std::vector<RECT> WorkParts() const override { return Working() ? ShapeParts(*shape_) : std::vector<RECT>{}; }
  void DrawWork(GxGraphics& target) const override {
    if (Working()) DrawShape(target, *shape_);
  }

 private:
  OutlineKind kind_;
  std::optional<OutlineShape> shape_;
};

class BrushTool : public AnnotationTool {
 public:
  std::optional<Shape> Press(GxPointF at, const AnnotationStyle& style) override {
    stroke_ = BrushStroke{{at}, style};
    return std::nullopt;
  }
  void Move(GxPointF to, bool) override {
    if (stroke_ && !Same(stroke_->points.back(), to)) stroke_->points.push_back(to);
  }
  std::optional<Shape> Release() override { return Close(); }
  bool Pressed() const override { return stroke_.has_value(); }
  std::optional<Shape> Close() override {
    std::optional<BrushStroke> stroke = std::move(stroke_);
    stroke_.reset();
    if (!stroke || stroke->points.size() < 2) return std::nullopt;
    return Shape(std::move(*stroke));
  }
  bool Working() const override { return stroke_ && stroke_->points.size() >= 2; }
  std::vector<RECT> WorkParts() const override { return Working() ? ShapeParts(*stroke_) : std::vector<RECT>{}; }
  void DrawWork(GxGraphics& target) const override {
    if (Working()) DrawShape(target, *stroke_);
  }

 private:
  std::optional<BrushStroke> stroke_;
};

}  // namespace

std::unique_ptr<AnnotationTool> MakeOutlineTool(OutlineKind kind) { return std::make_unique<OutlineTool>(kind); }
std::unique_ptr<AnnotationTool> MakeBrushTool() { return std::make_unique<BrushTool>(); }
