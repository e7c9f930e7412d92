#include "app/CaptureImages.h"

#include <functional>
#include <map>
#include <utility>

#include "app/EmbeddedAssets.h"
#include "app/Globals.h"
#include "app/RedrawMode.h"
#include "app/Resources.h"
#include "output/CropAndEncode.h"

namespace {

constexpr int kMenuImageWidth = 151;
constexpr int kMenuRowHeight = 22;

using Loader = std::function<void(GxImage&)>;

void LoadBytes(GxImage& image, const Bytes& bytes) { image.LoadFromBytes(bytes, false); }

struct KeptImages {
  std::unique_ptr<GxImage> strip, menu;
  std::map<std::pair<int, int>, std::unique_ptr<GxImage>> highlights;  // by the row's left, top
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

ImageUse ScreenImage() {
  const Loader load = [](GxImage& image) { LoadBytes(image, Objects().ScreenSnapshot); };
  // Kept in the snapshot image the layers were built from.
  return KeepsImages() ? Kept(Objects().SnapshotImage, load) : Fresh(load);
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

void ForgetCaptureImages() {
  Objects().SnapshotImage.Delete();
  Store() = KeptImages{};
}
