#include "app/Magnifier.h"

#include <cstdio>

#include "app/CaptureImages.h"
#include "app/CaptureState.h"
#include "app/Desktop.h"
#include "app/FrameDamage.h"
#include "app/LabelFont.h"
#include "app/RoundedRect.h"
#include "app/SelectionRenderer.h"
#include "gx/GxFont.h"
#include "gx/GxGraphics.h"
#include "gx/GxImage.h"
#include "gx/GxPath.h"
#include "gx/GxPen.h"
#include "gx/GxSolidBrush.h"

namespace {

constexpr int kPanelWidth = 124;
constexpr int kPanelHeight = 121;
constexpr int kCrosshairHeight = 84;
constexpr auto kNearestNeighbour = Gdiplus::InterpolationModeNearestNeighbor;

void BlendWhole(const GxGraphics& surface, int x, int y, int alpha) { BlendOntoCanvas(surface, x, y, alpha, true); }

}  // namespace

POINT MagnifierOrigin(POINT cursor, int screenWidth, int screenHeight) {
  POINT origin;
  origin.x = cursor.x + 135 <= screenWidth ? cursor.x + 5 : cursor.x - 127;
  origin.y = cursor.y + 170 <= screenHeight ? cursor.y + 25 : cursor.y - 145;
  return origin;
}

std::string ColourLabel(COLORREF colour) {
  char text[32];
  std::snprintf(text, sizeof text, "RGB:(%d,%d,%d)", static_cast<int>(colour & 0xFF),
                static_cast<int>((colour >> 8) & 0xFF), static_cast<int>((colour >> 16) & 0xFF));
  return text;
}

void PlaceMagnifier() {
  POINT origin = MagnifierOrigin(CursorPosition(), ScreenWidth(), ScreenHeight());
  DrawMagnifier(origin.x, origin.y);
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
void StartPanel(GxGraphics& panel) {
  const SurfaceUse frame = DrawnSurface("magnifier panel", "", kPanelWidth, kPanelHeight, DrawPanelFrame);
  panel.CreateSurface(kPanelWidth, kPanelHeight);
  panel.BitBltFrom(frame->GetSurfaceDC());
}

}  // namespace

void DrawMagnifier(int x, int y) {
  const POINT cursor = CursorPosition();
  GxGraphics panel;
  StartPanel(panel);

  const ImageUse screen = ScreenImage();
  panel.SetInterpolationMode(kNearestNeighbour);
  panel.DrawImageRectRect(*screen, 3, 3, 118, 84, static_cast<float>(cursor.x - 14), static_cast<float>(cursor.y - 11),
                          30, 21);

  GxFont font;
  CreateLabelFont(font, 11);
  GxSolidBrush brush;
  brush.Create(0xFFFFFFFF);
  const std::string colour = ColourLabel(panel.GetSurfacePixel(60, 44));
  const std::string size = SizeLabel(Capture().SelectionRect);
  panel.DrawString(size, font, brush, GxRectF{4, 90, 122, 16});
  panel.DrawString(colour, font, brush, GxRectF{4, 104, 122, 16});

  const SurfaceUse backing = DrawnSurface("magnifier backing", "", kPanelWidth, kPanelHeight, DrawBacking);
  const SurfaceUse crosshair = DrawnSurface("magnifier crosshair", "", kPanelWidth, kCrosshairHeight, DrawCrosshair);
  BlendWhole(*backing, x + 3, y + 3, 40);  // soft shadow
  BlendWhole(*backing, x, y, 200);
  BlendWhole(panel, x, y, 255);
  BlendWhole(*crosshair, x, y, 200);
}
