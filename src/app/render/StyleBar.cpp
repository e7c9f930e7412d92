#include "app/render/StyleBar.h"

#include <algorithm>
#include <cstdio>

#include "app/capture/CaptureSession.h"
#include "app/desktop/Monitors.h"
#include "app/render/ToolbarLook.h"
#include "gx/GxGraphics.h"
#include "gx/GxPen.h"
#include "gx/GxSolidBrush.h"

namespace {

constexpr unsigned kSwatchOutline = 0xFF666666;

// As wide and high as the toolbar and laid out like its buttons: three 22-pixel size buttons
// from x 6 where its first three tools are, a separator, then one 17-pixel slot per colour; all
// of them from y 3 to 23. For a tool that takes no colour the bar ends after the sizes.
constexpr int kSurfaceWidth = 329;
constexpr int kSizesOnlyWidth = 86;
constexpr int kSurfaceHeight = 28;
constexpr int kFirstSizeX = 6, kSizeStep = 26, kSizeWidth = 22;
constexpr int kSeparatorX = 88;
constexpr int kFirstColourX = 96, kColourStep = 19, kColourWidth = 17;
constexpr int kTop = 3, kBottom = 23;
constexpr unsigned kSeparator = 0xFFA8C8E8;
constexpr float kDotDiameters[kStyleSizes] = {5, 8, 12};
constexpr float kSwatchSize = 12;
constexpr int kGap = 2;  // between the toolbar's surface and the bar's
constexpr unsigned kColourlessDot = 0xFF808080;

ScreenRect Slot(int x, int width) { return ScreenRect{x, kTop, x + width, kBottom}; }

// A swatch-outlined shape in `colour`, centred on (cx, cy).
void DrawMark(GxGraphics& surface, bool round, float cx, float cy, float size, unsigned colour) {
  GxSolidBrush brush;
  brush.Create(colour);
  GxPen pen;
  pen.Create(kSwatchOutline, 1.0f);
  const float x = cx - size / 2, y = cy - size / 2;
  if (round) {
    surface.FillEllipse(brush, x, y, size, size);
    surface.DrawEllipse(pen, x, y, size, size);
  } else {
    surface.FillRectangle(brush, x, y, size, size);
    surface.DrawRectangle(pen, x, y, size, size);
  }
}

// The middle of a slot's highlight, which spans x1 to x2 - 1 and y 3 to 22.
float Centre(const ScreenRect& slot) { return static_cast<float>(slot.left + slot.right - 1) / 2; }
constexpr float kMiddleY = 12.5f;

// The box and the sizes, then a separator and the colours when the tool takes them; the chosen
// ones and `hover` highlighted.
void Paint(GxGraphics& surface, const AnnotationStyle& style, bool colours, const StyleBarHit& hover) {
  PaintToolbarBox(surface);
  for (int i = 0; i < kStyleSizes; ++i) {
    const ScreenRect slot = Slot(kFirstSizeX + i * kSizeStep, kSizeWidth);
    if (i == style.size || (hover.item == StyleItem::Size && hover.index == i)) PaintToolbarHighlight(surface, slot);
    DrawMark(surface, true, Centre(slot), kMiddleY, kDotDiameters[i], colours ? style.colour : kColourlessDot);
  }
  if (!colours) return;
  GxPen separator;
  separator.Create(kSeparator, 1.0f);
  surface.DrawLine(separator, kSeparatorX, 6, kSeparatorX, 20);
  const std::array<std::uint32_t, kPaletteSize>& palette = Palette();
  for (int i = 0; i < kPaletteSize; ++i) {
    const ScreenRect slot = Slot(kFirstColourX + i * kColourStep, kColourWidth);
    if (palette[i] == style.colour || (hover.item == StyleItem::Colour && hover.index == i)) PaintToolbarHighlight(surface, slot);
    DrawMark(surface, false, Centre(slot), kMiddleY, kSwatchSize, palette[i]);
  }
}

}  // namespace

StyleBarHit StyleBarItemAt(int dx, int dy) {
  StyleBarHit hit;
  if (dy < kTop || dy > kBottom) return hit;
  for (int i = 0; i < kStyleSizes; ++i) {
    const int x = kFirstSizeX + i * kSizeStep;
    if (dx >= x && dx <= x + kSizeWidth) return StyleBarHit{StyleItem::Size, i, Slot(x, kSizeWidth)};
  }
  for (int i = 0; i < kPaletteSize; ++i) {
    const int x = kFirstColourX + i * kColourStep;
    if (dx >= x && dx <= x + kColourWidth) return StyleBarHit{StyleItem::Colour, i, Slot(x, kColourWidth)};
  }
  return hit;
}

StyleBarHit StyleBarHitAt(const ScreenRect& bar, POINT point) {
  if (bar.right <= bar.left || point.x >= bar.right) return StyleBarHit{};
  return StyleBarItemAt(point.x - bar.left, point.y - bar.top);
}

ScreenRect PlaceStyleBar(const ScreenRect& toolbar, const ScreenRect& selection, int width, int height,
                         int screenWidth, int screenHeight) {
  ScreenRect place;
  place.left = std::max(5, std::min(toolbar.left, screenWidth - 5 - width));
  place.right = place.left + width;
  const int under = toolbar.bottom + kGap, above = toolbar.top - kGap - height;
  const bool toolbarAbove = toolbar.bottom <= selection.top;
  const bool roomUnder = under + height <= screenHeight && !toolbarAbove;
  place.top = roomUnder || above < 0 ? under : above;
  place.bottom = place.top + height;
  return place;
}

int StyleBarRoom(const CaptureSession& session) {
  return session.annotations.Armed() == ToolKind::None ? 0 : kSurfaceHeight + kGap;
}

namespace {

bool ShowsColours(const CaptureSession& session) { return ToolUsesColour(session.annotations.Armed()); }
int BarWidth(bool colours) { return colours ? kSurfaceWidth : kSizesOnlyWidth; }

}  // namespace

void PlaceStyleBar(CaptureSession& session) {
  CaptureState& state = session.state;
  if (session.annotations.Armed() == ToolKind::None) {
    state.StyleBarRect = ScreenRect{};
    return;
  }
  const ScreenRect monitor = session.desktop.MonitorOfSelection(state.SelectionRect);
  const ScreenRect placed = PlaceStyleBar(IntoMonitor(state.ToolbarRect, monitor), IntoMonitor(state.SelectionRect, monitor),
                                          BarWidth(ShowsColours(session)), kSurfaceHeight, monitor.Width(), monitor.Height());
  state.StyleBarRect = KeptOn(OutOfMonitor(placed, monitor), monitor);
}

void DrawStyleBar(CaptureSession& session, const StyleBarHit& hover) {
  const ScreenRect& bar = session.state.StyleBarRect;
  if (session.annotations.Armed() == ToolKind::None) return;
  const AnnotationStyle style = ChosenStyle();
  const bool colours = ShowsColours(session);
  char look[64];
  std::snprintf(look, sizeof look, "%08X %d %d %d %d", style.colour, style.size, static_cast<int>(hover.item),
                hover.index, colours ? 1 : 0);
  const SurfaceUse surface = session.images.DrawnSurface("style bar", look, BarWidth(colours), kSurfaceHeight,
                                                         [&](GxGraphics& s) { Paint(s, style, colours, hover); });
  session.frame.Blend(*surface, bar.left, bar.top, 255, true);
}

bool ChooseFromStyleBar(CaptureSession& session, const StyleBarHit& hit) {
  AnnotationStyle style = ChosenStyle();
  switch (hit.item) {
    case StyleItem::Size: style.size = hit.index; break;
    case StyleItem::Colour: style.colour = Palette()[static_cast<size_t>(hit.index)]; break;
    case StyleItem::None: return false;
  }
  SetChosenStyle(style);
  session.annotations.Restyle(style);
  return true;
}
