#pragma once
// The images the overlay draws from: the screen copy, the toolbar strip and the two menu
// images. Decoding them is most of the cost of a drawing (the screen copy of a 4K screen takes
// far longer than everything else the magnifier does), so they are kept for the life of a
// capture, and so are the toolbars as last drawn; with RedrawMode::Full every drawing decodes
// and draws its own and releases it.

#include <functional>
#include <memory>
#include <string>

#include "app/CaptureState.h"
#include "gx/GxGraphics.h"
#include "gx/GxImage.h"

// One drawing's hold on an image.
class ImageUse {
 public:
  explicit ImageUse(const GxImage& kept) : image_(&kept) {}
  explicit ImageUse(std::unique_ptr<GxImage> own) : own_(std::move(own)), image_(own_.get()) {}
  const GxImage& operator*() const { return *image_; }
  const GxImage* operator->() const { return image_; }

 private:
  std::unique_ptr<GxImage> own_;
  const GxImage* image_;
};

// One drawing's hold on a drawn surface.
class SurfaceUse {
 public:
  explicit SurfaceUse(const GxGraphics& kept) : surface_(&kept) {}
  explicit SurfaceUse(std::unique_ptr<GxGraphics> own) : own_(std::move(own)), surface_(own_.get()) {}
  const GxGraphics& operator*() const { return *surface_; }
  const GxGraphics* operator->() const { return surface_; }

 private:
  std::unique_ptr<GxGraphics> own_;
  const GxGraphics* surface_;
};

// A width × height surface drawn by `draw`, whose pixels depend on nothing but `look`. The last
// one of each `slot` is kept, so that drawing the same look again (the toolbar on every mouse
// move) costs no drawing.
SurfaceUse DrawnSurface(const std::string& slot, const std::string& look, int width, int height,
                        const std::function<void(GxGraphics&)>& draw);

// The screen copy taken when the overlay opened: a view of the frozen layer's own pixels (the
// screen copy at 1:1), so no second copy of the screen is held.
ImageUse ScreenImage();
ImageUse ToolbarStripImage();
ImageUse MenuImage();
// The strip of the highlighted menu image under a row's highlight rectangle (menu coordinates).
ImageUse MenuHighlightImage(const ScreenRect& highlight);
// Makes the strip for a row ready when images are kept, so that hovering the row later costs no
// decoding; does nothing otherwise.
void PrepareMenuHighlight(const ScreenRect& highlight);
// Whether the frozen layer holds the screen copy. When the copy failed or could not be decoded,
// the screen image is as empty as its failed decode would be, so the magnifier shows the same
// either way.
void NoteScreenCopy(bool held);
// The capture is over: its screen copy must not be shown by the next one.
void ForgetCaptureImages();
