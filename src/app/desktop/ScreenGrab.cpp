#include "app/desktop/ScreenGrab.h"

#include <windows.h>

#include <cstring>

#include "app/desktop/Monitors.h"
#include "gx/GdiOwners.h"
#include "gx/GxGraphics.h"
#include "gx/GxImage.h"

namespace {

// What a screen copy lacks to be a picture: the fourth byte, which GDI leaves as it finds it.
void MakeOpaque(const SurfaceBits& pixels) {
  for (int y = 0; y < pixels.height; ++y) {
    std::uint32_t* row = pixels.Row(y);
    for (int x = 0; x < pixels.width; ++x) row[x] |= 0xFF000000u;
  }
}

void Clear(const SurfaceBits& pixels) {
  for (int y = 0; y < pixels.height; ++y) std::memset(pixels.Row(y), 0, static_cast<size_t>(pixels.width) * 4);
}

bool DrawImageFile(GxGraphics& frozen, const Bytes& file) {
  GxImage image;
  if (!image.LoadFromBytes(file, false)) return false;
  return frozen.DrawImageStretched(image, 0, 0, static_cast<float>(frozen.GetSurfaceWidth()),
                                   static_cast<float>(frozen.GetSurfaceHeight()));
}

}  // namespace

bool TakeScreenSnapshot(GxGraphics& frozen) {
  const SurfaceBits pixels = frozen.GetSurfaceBits();
  if (!pixels.bits) return false;
  ScreenDC screen;
  // The frozen surface is the canvas; the screen's DC counts from the primary monitor.
  const POINT origin = MeasureDesktop().ToScreen(POINT{0, 0});
  const bool copied = screen.get() && BitBlt(frozen.GetSurfaceDC(), 0, 0, pixels.width, pixels.height, screen.get(),
                                             origin.x, origin.y, SRCCOPY);
  GdiFlush();
  if (!copied) {
    Clear(pixels);  // whatever a failed copy may have left: the overlay shows black
    return false;
  }
  MakeOpaque(pixels);
  return true;
}

ScreenSource& ScreenSource::operator=(Fill fill) {
  fill_ = std::move(fill);
  return *this;
}

ScreenSource& ScreenSource::operator=(ImageFile file) {
  fill_ = [file = std::move(file)](GxGraphics& frozen) { return file && DrawImageFile(frozen, file()); };
  return *this;
}

ScreenSource ScreenSnapshotSource{TakeScreenSnapshot};
