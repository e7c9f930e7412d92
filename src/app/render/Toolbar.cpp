#include "app/render/Toolbar.h"

#include <cstdio>
#include <string>

#include "app/capture/CaptureSession.h"
#include "app/desktop/Monitors.h"
#include "app/render/StyleBar.h"
#include "app/render/ToolbarLook.h"
#include "gx/GxGraphics.h"
#include "gx/GxImage.h"

namespace {

struct ToolbarButton {
  int code, firstDx, lastDx;
  bool highlighted;
  int x1, x2;
};

// In hit order: the first row that holds dx wins. Undo's hit range is narrower than its
// highlight, and the drop-down arrow shares dx 219 with the button before it.
constexpr ToolbarButton kButtons[] = {
    {1, 6, 28, true, 6, 28},       {2, 32, 54, true, 32, 54},     {3, 58, 80, true, 58, 80},
    {4, 84, 106, true, 84, 106},   {5, 110, 132, true, 110, 132}, {6, 144, 158, true, 144, 166},
    {7, 170, 192, true, 170, 192}, {8, 196, 219, true, 196, 219}, {9, 219, 228, false, 0, 0},
    {10, 241, 262, true, 241, 262}, {11, 267, 321, true, 267, 321},
};

bool IsHighlight(const ScreenRect& h) { return h.left != 0 && h.top != 0 && h.right != 0 && h.bottom != 0; }

// The armed tool's button keeps its highlight: it looks pressed while the tool is armed.
ScreenRect ArmedHighlight(ToolKind armed) {
  // Only the strip's five tools have a button; the others' kinds share numbers with other buttons.
  const int code = static_cast<int>(armed);
  if (code > kToolbarText) return ScreenRect{};
  for (const ToolbarButton& button : kButtons)
    if (button.code == code && code != 0) return ScreenRect{button.x1, 3, button.x2, 23};
  return ScreenRect{};
}

// The box, the armed button's highlight, the one under the cursor, and the strip over them.
void Paint(GxGraphics& surface, const GxImage& strip, const ScreenRect& armed, const ScreenRect& hover) {
  PaintToolbarBox(surface);
  if (IsHighlight(armed)) PaintToolbarHighlight(surface, armed);
  if (IsHighlight(hover)) PaintToolbarHighlight(surface, hover);
  surface.DrawImageStretched(strip, 1, 1, static_cast<float>(strip.GetWidth()), static_cast<float>(strip.GetHeight()));
}

std::string Look(const ScreenRect& armed, const ScreenRect& hover, int stripWidth, int stripHeight) {
  char look[96];
  std::snprintf(look, sizeof look, "%d,%d %d,%d,%d,%d %d,%d,%d,%d", stripWidth, stripHeight, armed.left, armed.top,
                armed.right, armed.bottom, hover.left, hover.top, hover.right, hover.bottom);
  return look;
}

}  // namespace

ToolbarHit ToolbarButtonAt(int dx, int dy) {
  ToolbarHit hit;
  if (dy < 3 || dy > 23) return hit;
  for (const ToolbarButton& button : kButtons) {
    if (dx < button.firstDx || dx > button.lastDx) continue;
    hit.code = button.code;
    hit.highlighted = button.highlighted;
    if (button.highlighted) hit.highlight = ScreenRect{button.x1, 3, button.x2, 23};
    break;
  }
  return hit;
}

ToolbarHit ToolbarHitAt(const ScreenRect& toolbar, POINT point) {
  return ToolbarButtonAt(point.x - toolbar.left, point.y - toolbar.top);
}

ScreenRect PlaceToolbar(const ScreenRect& s, int surfaceWidth, int surfaceHeight, int stripHeight,
                        int screenHeight, int companion) {
  ScreenRect place;
  place.left = s.right - surfaceWidth;
  place.right = s.right;
  if (s.bottom + stripHeight + 10 + companion <= screenHeight) {  // room below
    place.top = s.bottom + 6;
    place.bottom = place.top + surfaceHeight;
  } else if (s.top - stripHeight - 8 - companion > 0) {  // room above
    place.top = s.top - surfaceHeight - 4;
    place.bottom = s.top - 4;
  } else {  // inside, at the selection's top
    place.top = s.top + 5;
    place.bottom = place.top + surfaceHeight;
  }
  if (place.left < 5) {
    place.right = place.right - place.left + 5;
    place.left = 5;
  }
  return place;
}

void PlaceToolbars(CaptureSession& session) {
  CaptureState& state = session.state;
  if (state.toolsHidden) {  // no toolbar, so nothing to hit either
    state.ToolbarRect = ScreenRect{};
    state.StyleBarRect = ScreenRect{};
    return;
  }
  const ImageUse strip = session.images.ToolbarStripImage();
  const ScreenRect monitor = session.desktop.MonitorOfSelection(state.SelectionRect);
  const ScreenRect placed = PlaceToolbar(IntoMonitor(state.SelectionRect, monitor), strip->GetWidth() + 4,
                                         strip->GetHeight() + 4, strip->GetHeight(), monitor.Height(),
                                         StyleBarRoom(session));
  state.ToolbarRect = KeptOn(OutOfMonitor(placed, monitor), monitor);
  PlaceStyleBar(session);
}

void DrawToolbars(CaptureSession& session, std::optional<POINT> hover) {
  const CaptureState& state = session.state;
  if (state.toolsHidden) return;
  const ToolbarHit hit = hover ? ToolbarHitAt(state.ToolbarRect, *hover) : ToolbarHit{};
  const ImageUse strip = session.images.ToolbarStripImage();
  const int stripWidth = strip->GetWidth(), stripHeight = strip->GetHeight();
  const ScreenRect armed = ArmedHighlight(session.annotations.Armed());
  const ScreenRect highlight = hit.highlighted && IsHighlight(hit.highlight) ? hit.highlight : ScreenRect{};
  const SurfaceUse surface =
      session.images.DrawnSurface("toolbar", Look(armed, highlight, stripWidth, stripHeight), stripWidth + 4,
                                  stripHeight + 4, [&](GxGraphics& s) { Paint(s, *strip, armed, highlight); });
  session.frame.Blend(*surface, state.ToolbarRect.left, state.ToolbarRect.top, 255, true);
  DrawStyleBar(session, hover ? StyleBarHitAt(state.StyleBarRect, *hover) : StyleBarHit{});
}
