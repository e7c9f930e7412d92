#pragma once
// The images the overlay draws from: the screen copy, the two toolbar strips and the two menu
// images. Decoding them is most of the cost of a drawing (the screen copy of a 4K screen takes
// far longer than everything else the magnifier does), so they are kept for the life of a
// capture, and so are the toolbars as last drawn; with RedrawMode::Full every drawing decodes
// and draws its own and releases it.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "gx/GxBitmap.h"
#include "gx/GxFont.h"
#include "gx/GxGraphics.h"
#include "gx/GxImage.h"
#include "win/ScreenRect.h"

// One drawing's hold on an image or a drawn surface: the kept one, or one of its own.
template <typename T>
class Use {
 public:
  explicit Use(const T& kept) : object_(&kept) {}
  explicit Use(std::unique_ptr<T> own) : own_(std::move(own)), object_(own_.get()) {}
  const T& operator*() const { return *object_; }
  const T* operator->() const { return object_; }

 private:
  std::unique_ptr<T> own_;
  const T* object_;
};
using ImageUse = Use<GxImage>;
using SurfaceUse = Use<GxGraphics>;

// The kept images of one capture, looking at its frozen layer (which outlives them).
class CaptureImages {
 public:
  explicit CaptureImages(GxGraphics& frozen) : frozen_(frozen) {}
  CaptureImages(const CaptureImages&) = delete;
  CaptureImages& operator=(const CaptureImages&) = delete;
  ~CaptureImages();

  // A width × height surface drawn by `draw`, whose pixels depend on nothing but `look`. The
  // last one of each `slot` is kept, so that drawing the same look again (the toolbar on every
  // mouse move) costs no drawing.
  SurfaceUse DrawnSurface(const std::string& slot, const std::string& look, int width, int height,
                          const std::function<void(GxGraphics&)>& draw);

  // A number that depends on nothing but `look` (a text's measured width), kept per slot like
  // the drawn surfaces.
  int Measured(const std::string& slot, const std::string& look, const std::function<int()>& measure);

  // The font of the size label and the magnifier's texts, made at its first use: finding its face
  // costs more than writing with it.
  const GxFont& LabelFont();

  // The screen copy taken when the overlay opened: a view of the frozen layer's own pixels (the
  // screen copy at 1:1), so no second copy of the screen is held.
  ImageUse ScreenImage();
  ImageUse ToolbarStripImage();
  ImageUse ToolsStripImage();
  ImageUse MenuImage();
  // The strip of the highlighted menu image under a row's highlight rectangle (menu coordinates).
  ImageUse MenuHighlightImage(const ScreenRect& highlight);
  // Makes the strip for a row ready when images are kept, so that hovering the row later costs
  // no decoding; does nothing otherwise.
  void PrepareMenuHighlight(const ScreenRect& highlight);
  // Whether the frozen layer holds the screen copy. When the copy failed or could not be decoded,
  // the screen image is as empty as its failed decode would be, so the magnifier shows the same
  // either way.
  void NoteScreenCopy(bool held) { screenHeld_ = held; }

 private:
  struct DrawnLook {
    std::string look;
    std::unique_ptr<GxGraphics> surface;
  };
  void ViewFrozenLayer(GxBitmap& view) const;

  GxGraphics& frozen_;
  std::map<std::string, DrawnLook> drawn_;  // by slot
  std::map<std::string, std::pair<std::string, int>> measured_;  // by slot: the look and its number
  std::unique_ptr<GxFont> labelFont_;
  std::unique_ptr<GxBitmap> screen_;
  std::unique_ptr<GxImage> strip_, toolsStrip_, menu_;
  std::map<std::pair<int, int>, std::unique_ptr<GxImage>> highlights_;  // by the row's left, top
  bool screenHeld_ = false;
};
