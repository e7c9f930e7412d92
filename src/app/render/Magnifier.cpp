#include "app/render/Magnifier.h"

#include <cstdio>

#include "app/capture/CaptureSession.h"
#include "app/desktop/Monitors.h"
#include "app/render/SelectionRenderer.h"
#include "gx/GxFont.h"
#include "gx/GxGraphics.h"
#include "gx/GxImage.h"
#include "gx/GxPath.h"
#include "gx/GxPen.h"
#include "gx/GxSolidBrush.h"
#include "gx/RoundedRect.h"

namespace {

constexpr int kPanelWidth = 124;
constexpr int kPanelHeight = 121;
constexpr int kCrosshairHeight = 84;
constexpr auto kNearestNeighbour = Gdiplus::InterpolationModeNearestNeighbor;

}  // namespace

POINT MagnifierOrigin(POINT cursor, int screenWidth, int screenHeight) {
  POINT origin;
  origin.x = cursor.x + 135 <= screenWidth ? cursor.x + 5 : cursor.x - 127;
  origin.y = cursor.y + 170 <= screenHeight ? cursor.y + 25 : cursor.y - 145;
  return origin;
}

std::string ColourLabel(COLORREF colour, bool hex) {
  char text[32];
  std::snprintf(text, sizeof text, hex ? "#%02X%02X%02X" : "RGB:(%d,%d,%d)", static_cast<int>(colour & 0xFF),
                static_cast<int>((colour >> 8) & 0xFF), static_cast<int>((colour >> 16) & 0xFF));
  return text;
}

namespace {

// What the magnifier shows wherever it is, drawn once for the capture (every time by the plain
// full redraw): the shadow and backing, the crosshair, and the panel's outline and frame that the
// zoomed pixels and the texts are drawn over.
void DrawBacking(GxGraphics& backing) {
  GxSolidBrush brush;
  brush.Create(0xFF000000);
  GxPath path;
  path.Create();
  AddRoundedRect(path, 0, 0, 126, 123, 3);
  backing.FillPath(brush, path);
}

void DrawCrosshair(GxGraphics& crosshair) {
  GxPen pen;
  pen.Create(0xFF007AB3, 4.0f);
  crosshair.DrawLine(pen, 3, 43.5f, 121, 43.5f);
  crosshair.DrawLine(pen, 58.5f, 3, 59, 87);
}

void DrawPanelFrame(GxGraphics& panel) {
  GxPen pen;
  pen.Create(0xFF333333, 1.0f);
  GxPath path;
  path.Create();
  AddRoundedRect(path, 0, 0, 126, 123, 3);
  panel.DrawPath(pen, path);
  pen.SetColor(0xFFFFFFFF);
  pen.SetWidth(2);
  panel.DrawRectangle(pen, 2, 2, 120, 84);
}

// A new panel surface holding a copy of the kept outline and frame, all four bytes of each pixel.
void StartPanel(CaptureImages& images, GxGraphics& panel) {
  const SurfaceUse frame = images.DrawnSurface("magnifier panel", "", kPanelWidth, kPanelHeight, DrawPanelFrame);
  panel.CreateSurface(kPanelWidth, kPanelHeight);
  panel.BitBltFrom(frame->GetSurfaceDC());
}

}  // namespace

void DrawMagnifier(CaptureSession& session, POINT cursor) {
  const POINT origin = OnMonitor(session.desktop.MonitorOnCanvasAt(cursor), cursor,
                                 [](int x, int y, int width, int height) { return MagnifierOrigin(POINT{x, y}, width, height); });
  const int x = origin.x, y = origin.y;
  GxGraphics panel;
  StartPanel(session.images, panel);

  const ImageUse screen = session.images.ScreenImage();
  panel.SetInterpolationMode(kNearestNeighbour);
  panel.DrawImageRectRect(*screen, 3, 3, 118, 84, static_cast<float>(cursor.x - 14), static_cast<float>(cursor.y - 11),
                          30, 21);

  const GxFont& font = session.images.LabelFont();
  GxSolidBrush brush;
  brush.Create(0xFFFFFFFF);
  const std::string colour = ColourLabel(panel.GetSurfacePixel(60, 44), session.state.hexColour);
  session.state.shownColour = colour;
  const std::string size = SizeLabel(session.state.SelectionRect);
  panel.DrawString(size, font, brush, GxRectF{4, 90, 122, 16});
  panel.DrawString(colour, font, brush, GxRectF{4, 104, 122, 16});

  const SurfaceUse backing =
      session.images.DrawnSurface("magnifier backing", "", kPanelWidth, kPanelHeight, DrawBacking);
  const SurfaceUse crosshair =
      session.images.DrawnSurface("magnifier crosshair", "", kPanelWidth, kCrosshairHeight, DrawCrosshair);
  FrameCanvas& frame = session.frame;
  frame.Blend(*backing, x + 3, y + 3, 40, true);  // soft shadow
  frame.Blend(*backing, x, y, 200, true);
  frame.Blend(panel, x, y, 255, true);
  frame.Blend(*crosshair, x, y, 200, true);
}
