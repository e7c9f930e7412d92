#include "app/CaptureImages.h"

#include <functional>
#include <map>
#include <utility>

#include "app/EmbeddedAssets.h"
#include "app/Globals.h"
#include "app/RedrawMode.h"
#include "app/Resources.h"
#include "gx/GxBitmap.h"
#include "output/CropAndEncode.h"

namespace {

constexpr int kMenuImageWidth = 151;
constexpr int kMenuRowHeight = 22;

using Loader = std::function<void(GxImage&)>;

void LoadBytes(GxImage& image, const Bytes& bytes) { image.LoadFromBytes(bytes, false); }

struct DrawnLook {
  std::string look;
  std::unique_ptr<GxGraphics> surface;
};

struct KeptImages {
  std::map<std::string, DrawnLook> drawn;  // by slot
  std::unique_ptr<GxBitmap> screen;
  std::unique_ptr<GxImage> strip, menu;
  std::map<std::pair<int, int>, std::unique_ptr<GxImage>> highlights;  // by the row's left, top
  bool screenHeld = false;
};

KeptImages& Store() {
  static KeptImages store;
  return store;
}

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

ImageUse Use(std::unique_ptr<GxImage>& slot, const Loader& load) {
  if (!KeepsImages()) return Fresh(load);
  if (!slot) slot = std::make_unique<GxImage>();
  return Kept(*slot, load);
}

}  // namespace

// A bitmap over the frozen layer's pixels (rows bottom-up, so it starts at the last one); empty
// when there is no frozen layer to look at.
void ViewFrozenLayer(GxBitmap& view) {
  const SurfaceBits pixels = Objects().FrozenLayer.GetSurfaceBits();
  if (!pixels.bits) return;
  view.CreateFromScan0(pixels.width, pixels.height, -pixels.stride, PixelFormat32bppRGB, pixels.Row(0));
}

SurfaceUse DrawnSurface(const std::string& slot, const std::string& look, int width, int height,
                        const std::function<void(GxGraphics&)>& draw) {
  auto fresh = std::make_unique<GxGraphics>();
  if (!KeepsImages()) {
    fresh->CreateSurface(width, height);
    draw(*fresh);
    return SurfaceUse(std::move(fresh));
  }
  DrawnLook& kept = Store().drawn[slot];
  if (!kept.surface || kept.look != look) {
    fresh->CreateSurface(width, height);
    draw(*fresh);
    kept = DrawnLook{look, std::move(fresh)};
  }
  return SurfaceUse(*kept.surface);
}

// The screen copy as the magnifier sees it: with RedrawMode::Full a view made for this drawing
// alone, otherwise one kept for the capture. Empty when the copy failed, as its decode would be.
ImageUse ScreenImage() {
  if (!Store().screenHeld) return Fresh([](GxImage&) {});
  if (!KeepsImages()) {
    auto view = std::make_unique<GxBitmap>();
    ViewFrozenLayer(*view);
    return ImageUse(std::move(view));
  }
  std::unique_ptr<GxBitmap>& view = Store().screen;
  if (!view) view = std::make_unique<GxBitmap>();
  if (!view->IsValid()) ViewFrozenLayer(*view);
  return ImageUse(*view);
}

ImageUse ToolbarStripImage() {
  return Use(Store().strip, [](GxImage& image) { LoadBytes(image, ResourceBytes(IDR_TOOLBAR_STRIP)); });
}

ImageUse MenuImage() {
  return Use(Store().menu, [](GxImage& image) { LoadBytes(image, ResourceBytes(IDR_MENU_NORMAL)); });
}

ImageUse MenuHighlightImage(const ScreenRect& highlight) {
  const int x = highlight.left - 2, y = highlight.top - 2;  // the image lies 2 px into the menu
  const Loader load = [x, y](GxImage& image) {
    std::string ownFormat;  // the highlighted image's own: PNG
    LoadBytes(image, CropAndEncode(ResourceBytes(IDR_MENU_HIGHLIGHT), x, y, kMenuImageWidth, kMenuRowHeight, ownFormat));
  };
  return KeepsImages() ? Use(Store().highlights[{x, y}], load) : Fresh(load);
}

void PrepareMenuHighlight(const ScreenRect& highlight) {
  if (KeepsImages()) MenuHighlightImage(highlight);
}

void NoteScreenCopy(bool held) { Store().screenHeld = held; }

void ForgetCaptureImages() { Store() = KeptImages{}; }
