#include "app/Layers.h"

#include "app/CaptureImages.h"
#include "app/Desktop.h"
#include "app/FrameDamage.h"
#include "app/Globals.h"
#include "app/RedrawMode.h"
#include "app/ScreenGrab.h"
#include "gx/GxSolidBrush.h"

std::uint32_t ArgbFromColorRef(COLORREF colour, int alpha, bool alphaGiven) {
  const std::uint32_t red = colour & 0xFF;
  const std::uint32_t green = (colour >> 8) & 0xFF;
  const std::uint32_t blue = (colour >> 16) & 0xFF;
  const std::uint32_t a = alphaGiven ? static_cast<std::uint32_t>(alpha) & 0xFF : 0xFF;
  return (a << 24) | (red << 16) | (green << 8) | blue;
}

void FreezeScreen() {
  GxGraphics& frozen = Objects().FrozenLayer;
  frozen.CreateSurface(ScreenWidth(), ScreenHeight());
  NoteScreenCopy(ScreenSnapshotSource(frozen));
}

namespace {

// The black the plain redraw blends over the frozen layer.
void MakeDimLayer(int width, int height) {
  GxSolidBrush black;
  black.Create(ArgbFromColorRef(RGB(0, 0, 0)));
  GxGraphics& layer = Objects().DimLayer;
  layer.CreateSurface(width, height);
  layer.FillRectangle(black, 0, 0, static_cast<float>(width), static_cast<float>(height));
}

}  // namespace

void BuildLayers(HWND overlay) {
  LayeredCanvas& canvas = Objects().OverlayCanvas;
  canvas.Attach(overlay, LayeredCanvas::FirstPush::WithFirstPresent);
  if (CurrentRedrawMode() == RedrawMode::Full) MakeDimLayer(canvas.GetSurfaceWidth(), canvas.GetSurfaceHeight());
  StartFrames();
}

void RepaintBase() { PaintBase(); }
