// Finishing and saving cut the selection straight out of the frozen layer. What reaches the
// clipboard and the encoders is byte for byte what the way through a BMP file of the whole canvas
// and GDI+ delivered: the canvas showing the frozen layer alone, exported, decoded, cropped,
// encoded and (for the clipboard) decoded again.

#include <gtest/gtest.h>

#include <string>

#include "app/Desktop.h"
#include "app/Globals.h"
#include "gx/GdiOwners.h"
#include "gx/GxGraphics.h"
#include "gx/GxImage.h"
#include "output/CanvasToBmp.h"
#include "output/Clipboard.h"
#include "output/CropAndEncode.h"
#include "output/EncodeForFile.h"
#include "output/SelectionOutput.h"
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

}  // namespace

class OutputIdentityTest : public OverlayTest {
 protected:
  // What finishing and saving used to start from: the canvas wiped down to the frozen layer,
  // as a BMP file of the screen's size.
  static Bytes CanvasFile() {
    const int width = ScreenWidth(), height = ScreenHeight();
    GxGraphics canvas;
    canvas.CreateSurface(width, height);
    canvas.AlphaBlendFrom(Objects().FrozenLayer.GetSurfaceDC(), 0, 0, width, height, 0, 0, width, height, 255, 0);
    return CanvasToBmp(canvas.GetSurfaceDC(), width, height);
  }
};

TEST_F(OutputIdentityTest, TheClipboardGetsTheBytesOfTheWayThroughTheCanvas) {
  const Bytes canvas = CanvasFile();
  for (const ScreenRect& s : kSelections) {
    SCOPED_TRACE(Name(s));
    std::string ownFormat;
    const Bytes crop = CropAndEncode(canvas, s.left, s.top, s.right - s.left, s.bottom - s.top, ownFormat);
    ASSERT_TRUE(CopyBitmapToClipboard(Overlay(), crop));
    const Bytes before = ClipboardBitmapBytes();
    ASSERT_FALSE(before.empty());

    GdiObject<HBITMAP> dib(SelectionDib(s));
    ASSERT_TRUE(CopyDibToClipboard(Overlay(), dib.get()));
    EXPECT_TRUE(ClipboardBitmapBytes() == before);
  }
}

TEST_F(OutputIdentityTest, TheEncodersGetTheBytesOfTheWayThroughTheCanvas) {
  const Bytes canvas = CanvasFile();
  for (const std::string& format : {std::string(), kPngFormat, kBmpFormat, kJpegFormat, kGifFormat}) {
    for (const ScreenRect& s : {kSelections[0], kSelections[2], kSelections[4], kSelections[6]}) {
      SCOPED_TRACE(Name(s) + " as " + (format.empty() ? "the source's own format" : format));
      std::string oldFormat = format, newFormat = format;
      const Bytes before = CropAndEncode(canvas, s.left, s.top, s.right - s.left, s.bottom - s.top, oldFormat);
      const Bytes after = EncodeForFile(s, newFormat);
      ASSERT_FALSE(after.empty());
      EXPECT_TRUE(after == before) << after.size() << " bytes, before " << before.size();
      EXPECT_EQ(newFormat, oldFormat);
    }
  }
}
