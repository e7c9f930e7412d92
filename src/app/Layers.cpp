#include "app/Layers.h"

#include "app/CaptureImages.h"
#include "app/CaptureOverlay.h"
#include "app/FrameDamage.h"
#include "app/Globals.h"

std::uint32_t ArgbFromColorRef(COLORREF colour, int alpha, bool alphaGiven) {
  const std::uint32_t red = colour & 0xFF;
  const std::uint32_t green = (colour >> 8) & 0xFF;
  const std::uint32_t blue = (colour >> 16) & 0xFF;
  const std::uint32_t a = alphaGiven ? static_cast<std::uint32_t>(alpha) & 0xFF : 0xFF;
  return (a << 24) | (red << 16) | (green << 8) | blue;
}

void BlendLayer(const GxGraphics& layer, int alpha) {
  const int width = TheOverlay().Width();
  const int height = TheOverlay().Height();
  Objects().OverlayCanvas.AlphaBlendFrom(layer.GetSurfaceDC(), 0, 0, width, height, 0, 0, width, height, alpha);
}

void BuildLayers(HWND overlay) {
  Globals& objects = Objects();
  objects.OverlayCanvas.Attach(overlay);
  objects.SnapshotImage.LoadFromBytes(objects.ScreenSnapshot, false);
  RECT window{};
  GetWindowRect(overlay, &window);
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;

  objects.FrozenLayer.CreateSurface(width, height);
  NoteScreenCopy(objects.FrozenLayer.DrawImageStretched(objects.SnapshotImage, 0, 0, static_cast<float>(width),
                                                        static_cast<float>(height)));
  BlendLayer(objects.FrozenLayer, 255);

  objects.DimBrush.Create(ArgbFromColorRef(RGB(0, 0, 0)));
  objects.DimLayer.CreateSurface(width, height);
  objects.DimLayer.FillRectangle(objects.DimBrush, 0, 0, static_cast<float>(width), static_cast<float>(height));
  objects.SnapshotImage.Delete();
  objects.DimBrush.Delete();
  BlendLayer(objects.DimLayer, 128);
  objects.OverlayCanvas.Present();
  StartFrames();
}

void RepaintBase() { PaintBase(); }
