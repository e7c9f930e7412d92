#include "annotate/StepTool.h"

#include "annotate/Annotations.h"
#include "annotate/StepMarker.h"

namespace {

class StepTool : public AnnotationTool {
 public:
  explicit StepTool(const Annotations* kept) : kept_(kept) {}

  std::optional<Shape> Press(GxPointF at, const AnnotationStyle& style) override {
    // Asked at every press: the kept shapes may have changed (undo, redo) since the last.
    marker_ = StepMarker{at, kept_ ? NextStepNumber(kept_->Shapes()) : 1, style};
    return std::nullopt;
  }
  void Move(GxPointF to, bool) override {
    if (marker_) marker_->centre = to;
  }
  std::optional<Shape> Release() override { return Close(); }
  bool Pressed() const override { return marker_.has_value(); }
  std::optional<Shape> Close() override {
    std::optional<StepMarker> marker = marker_;
    marker_.reset();
    if (!marker) return std::nullopt;
    return Shape(*marker);
  }
  bool Working() const override { return marker_.has_value(); }
  std::vector<RECT> WorkParts() const override {
    return marker_ ? std::vector<RECT>{StepMarkerBounds(*marker_)} : std::vector<RECT>{};
  }
  void DrawWork(GxGraphics& target, const PictureBelow* = nullptr) const override {
    if (marker_) DrawShape(target, *marker_);
  }

 private:
  const Annotations* kept_;
  std::optional<StepMarker> marker_;
};

}  // namespace

std::unique_ptr<AnnotationTool> MakeStepTool(const Annotations* kept) { return std::make_unique<StepTool>(kept); }
