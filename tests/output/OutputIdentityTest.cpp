// Finishing and saving cut the selection straight out of the frozen layer and the annotation
// layer. What reaches the clipboard and the encoders is byte for byte what the way through a BMP
// file of the whole canvas and GDI+ delivered: the canvas showing the frozen layer with the
// annotations over the selection, exported, decoded, cropped, encoded and (for the clipboard)
// decoded again.

#include <gtest/gtest.h>

#include <string>

#include "app/capture/AnnotationSession.h"
#include "app/desktop/Desktop.h"
#include "gx/GdiOwners.h"
#include "gx/GxBitmap.h"
#include "gx/GxGraphics.h"
#include "gx/GxImage.h"
#include "support/CanvasToBmp.h"
#include "output/Clipboard.h"
#include "output/CropAndEncode.h"
#include "output/EncodeForFile.h"
#include "output/OutputImage.h"
#include "support/OverlayFixture.h"

namespace {

// Inside, at every edge and corner of the screen, one pixel, one column, hanging one pixel over
// the left and the top edge (where a selection can be widened to), and the whole screen.
const ScreenRect kSelections[] = {
    {203, 151, 517, 402}, {0, 0, 37, 29},     {763, 571, 800, 600}, {0, 580, 800, 600}, {317, 229, 318, 230},
    {300, 300, 301, 400}, {-1, 100, 1, 140},  {100, -1, 140, 1},    {0, 0, 800, 600},
};

std::string Name(const ScreenRect& s) {
  return std::to_string(s.left) + "," + std::to_string(s.top) + " - " + std::to_string(s.right) + "," +
         std::to_string(s.bottom);
}

// Every byte of the clipboard's bitmap as it holds them, the fourth of each pixel included.
Bytes ClipboardBitmapBytes() {
  Bytes bytes;
  if (!OpenClipboard(nullptr)) return bytes;
  if (auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP))) {
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    bytes.resize(static_cast<size_t>(info.bmWidthBytes) * static_cast<size_t>(info.bmHeight));
    if (!bytes.empty()) GetBitmapBits(bitmap, static_cast<LONG>(bytes.size()), bytes.data());
  }
  CloseClipboard();
  return bytes;
}

// Antialiased ink of two colours, partly transparent at its edges, across most of the selections.
void Annotate() {
  AnnotationStyle thick{0xFF20C040, 2};
  Session().annotations.Keep(OutlineShape{OutlineKind::Ellipse, GxPointF{150, 120}, GxPointF{560, 430}, thick});
  Session().annotations.Keep(BrushStroke{{{10, 10}, {300, 250}, {420, 180}, {790, 590}}, AnnotationStyle{}});
  ASSERT_NE(Session().annotations.Layer(), nullptr);
}

}  // namespace

class OutputIdentityTest : public OverlayTest {
 protected:
  // The selection as finishing and saving used to hand it to CropAndEncode's encoder: the canvas
  // wiped down to the frozen layer, the annotation layer blended over the selection, exported
  // as a BMP file of the screen's size, decoded and cropped.
  static Bytes TheOldWay(const ScreenRect& s, std::string& format) {
    const int width = ScreenWidth(), height = ScreenHeight();
    GxGraphics canvas;
    canvas.CreateSurface(width, height);
    canvas.AlphaBlendFrom(Session().FrozenLayer.GetSurfaceDC(), 0, 0, width, height, 0, 0, width, height, 255, 0);
    if (const GxGraphics* layer = Session().annotations.Layer())
      canvas.AlphaBlendFrom(layer->GetSurfaceDC(), s.left, s.top, s.right - s.left, s.bottom - s.top, s.left, s.top,
                            s.right - s.left, s.bottom - s.top, 255, 1);
    const Bytes file = CanvasToBmp(canvas.GetSurfaceDC(), width, height);
    return CropAndEncode(file, s.left, s.top, s.right - s.left, s.bottom - s.top, format);
  }

  void ExpectClipboardAsBefore() {
    for (const ScreenRect& s : kSelections) {
      SCOPED_TRACE(Name(s));
      std::string ownFormat;
      ASSERT_TRUE(CopyBitmapToClipboard(Overlay(), TheOldWay(s, ownFormat)));
      const Bytes before = ClipboardBitmapBytes();
      ASSERT_FALSE(before.empty());

      GdiObject<HBITMAP> dib(OutputDib(Output(s)));
      ASSERT_TRUE(CopyDibToClipboard(Overlay(), dib.get()));
      EXPECT_TRUE(ClipboardBitmapBytes() == before);
    }
  }

  void ExpectFilesAsBefore() {
    for (const std::string& format : {std::string(), kPngFormat, kBmpFormat, kJpegFormat, kGifFormat}) {
      for (const ScreenRect& s : {kSelections[0], kSelections[2], kSelections[4], kSelections[6]}) {
        SCOPED_TRACE(Name(s) + " as " + (format.empty() ? "the source's own format" : format));
        std::string oldFormat = format, newFormat = format;
        const Bytes before = TheOldWay(s, oldFormat);
        const Bytes after = EncodeForFile(Output(s), newFormat);
        ASSERT_FALSE(after.empty());
        EXPECT_TRUE(after == before) << after.size() << " bytes, before " << before.size();
        EXPECT_EQ(newFormat, oldFormat);
      }
    }
  }
};

TEST_F(OutputIdentityTest, TheClipboardGetsTheBytesOfTheWayThroughTheCanvas) {
  ExpectClipboardAsBefore();
  Annotate();
  ExpectClipboardAsBefore();
}

TEST_F(OutputIdentityTest, TheEncodersGetTheBytesOfTheWayThroughTheCanvas) {
  ExpectFilesAsBefore();
  Annotate();
  ExpectFilesAsBefore();
}
