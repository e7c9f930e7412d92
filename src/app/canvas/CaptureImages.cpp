#include "app/canvas/CaptureImages.h"

#include "app/canvas/EmbeddedAssets.h"
#include "app/canvas/RedrawMode.h"
#include "app/canvas/Resources.h"
#include "gx/LabelFont.h"
#include "gx/GxBitmap.h"
#include "output/CropAndEncode.h"

namespace {

constexpr int kMenuImageWidth = 151;
constexpr int kMenuRowHeight = 22;

using Loader = std::function<void(GxImage&)>;

void LoadBytes(GxImage& image, const Bytes& bytes) { image.LoadFromBytes(bytes, false); }

bool KeepsImages() { return CurrentRedrawMode() != RedrawMode::Full; }

ImageUse Fresh(const Loader& load) {
  auto own = std::make_unique<GxImage>();
  load(*own);
  return ImageUse(std::move(own));
}

// A failed decode is tried again on the next use, as a fresh decode would be.
ImageUse Kept(GxImage& kept, const Loader& load) {
  if (!kept.IsValid()) load(kept);
  return ImageUse(kept);
}

ImageUse KeptOrFresh(std::unique_ptr<GxImage>& slot, const Loader& load) {
  if (!KeepsImages()) return Fresh(load);
  if (!slot) slot = std::make_unique<GxImage>();
  return Kept(*slot, load);
}

}  // namespace

CaptureImages::~CaptureImages() = default;

// A bitmap over the frozen layer's pixels (rows bottom-up, so it starts at the last one); empty
// when there is no frozen layer to look at.
void CaptureImages::ViewFrozenLayer(GxBitmap& view) const {
  const SurfaceBits pixels = frozen_.GetSurfaceBits();
  if (!pixels.bits) return;
  view.CreateFromScan0(pixels.width, pixels.height, -pixels.stride, PixelFormat32bppRGB, pixels.Row(0));
}

SurfaceUse CaptureImages::DrawnSurface(const std::string& slot, const std::string& look, int width, int height,
                                       const std::function<void(GxGraphics&)>& draw) {
  auto fresh = std::make_unique<GxGraphics>();
  if (!KeepsImages()) {
    fresh->CreateSurface(width, height);
    draw(*fresh);
    return SurfaceUse(std::move(fresh));
  }
  DrawnLook& kept = drawn_[slot];
  if (!kept.surface || kept.look != look) {
    fresh->CreateSurface(width, height);
    draw(*fresh);
    kept = DrawnLook{look, std::move(fresh)};
  }
  return SurfaceUse(*kept.surface);
}

const GxFont& CaptureImages::LabelFont() {
  if (!labelFont_) {
    labelFont_ = std::make_unique<GxFont>();
    CreateLabelFont(*labelFont_, 11);
  }
  return *labelFont_;
}

int CaptureImages::Measured(const std::string& slot, const std::string& look, const std::function<int()>& measure) {
  if (!KeepsImages()) return measure();
  auto kept = measured_.find(slot);
  if (kept == measured_.end() || kept->second.first != look) kept = measured_.insert_or_assign(slot, std::make_pair(look, measure())).first;
  return kept->second.second;
}

// The screen copy as the magnifier sees it: with RedrawMode::Full a view made for this drawing
// alone, otherwise one kept for the capture. Empty when the copy failed, as its decode would be.
ImageUse CaptureImages::ScreenImage() {
  if (!screenHeld_) return Fresh([](GxImage&) {});
  if (!KeepsImages()) {
    auto view = std::make_unique<GxBitmap>();
    ViewFrozenLayer(*view);
    return ImageUse(std::move(view));
  }
  if (!screen_) screen_ = std::make_unique<GxBitmap>();
  if (!screen_->IsValid()) ViewFrozenLayer(*screen_);
  return ImageUse(*screen_);
}

ImageUse CaptureImages::ToolbarStripImage() {
  return KeptOrFresh(strip_, [](GxImage& image) { LoadBytes(image, ResourceBytes(IDR_TOOLBAR_STRIP)); });
}

ImageUse CaptureImages::ToolsStripImage() {
  return KeptOrFresh(toolsStrip_, [](GxImage& image) { LoadBytes(image, ResourceBytes(IDR_TOOLS_STRIP)); });
}

ImageUse CaptureImages::MenuImage() {
  return KeptOrFresh(menu_, [](GxImage& image) { LoadBytes(image, ResourceBytes(IDR_MENU_NORMAL)); });
}

ImageUse CaptureImages::MenuHighlightImage(const ScreenRect& highlight) {
  const int x = highlight.left - 2, y = highlight.top - 2;  // the image lies 2 px into the menu
  const Loader load = [x, y](GxImage& image) {
    std::string ownFormat;  // the highlighted image's own: PNG
    LoadBytes(image, CropAndEncode(ResourceBytes(IDR_MENU_HIGHLIGHT), x, y, kMenuImageWidth, kMenuRowHeight, ownFormat));
  };
  return KeepsImages() ? KeptOrFresh(highlights_[{x, y}], load) : Fresh(load);
}

void CaptureImages::PrepareMenuHighlight(const ScreenRect& highlight) {
  if (KeepsImages()) MenuHighlightImage(highlight);
}
