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
  const char* tip;  // the button's name and key
};

// In hit order: the first row that holds dx wins. Undo's hit range is narrower than its
// highlight, and the drop-down arrow shares dx 219 with the button before it.
constexpr ToolbarButton kButtons[] = {
    {1, 6, 28, true, 6, 28, "矩形 (R)"},
    {2, 32, 54, true, 32, 54, "椭圆 (E)"},
    {3, 58, 80, true, 58, 80, "箭头 (A)"},
    {4, 84, 106, true, 84, 106, "画刷 (P)"},
    {5, 110, 132, true, 110, 132, "文字 (T)"},
    {6, 144, 158, true, 144, 166, "撤销 (Ctrl+Z)"},
    {7, 170, 192, true, 170, 192, "保存 (Ctrl+S)"},
    {8, 196, 219, true, 196, 219, "快速保存 (Ctrl+Shift+S)"},
    {9, 219, 228, false, 0, 0, "更多保存方式"},
    {10, 241, 262, true, 241, 262, "退出截图 (Esc)"},
    {11, 267, 321, true, 267, 321, "完成截图 (Enter)"},
};

// The box of the further tools: five buttons at the pitch of the strip's first five.
constexpr ToolbarButton kBoxButtons[] = {
    {kToolbarLine, 6, 28, true, 6, 28, "直线 (L)"},
    {kToolbarHighlighter, 32, 54, true, 32, 54, "荧光笔 (H)"},
    {kToolbarMosaic, 58, 80, true, 58, 80, "马赛克 (M)"},
    {kToolbarBlur, 84, 106, true, 84, 106, "模糊 (B)"},
    {kToolbarStepNumber, 110, 132, true, 110, 132, "序号 (N)"},
};
constexpr int kBoxGap = 4;     // between the box and the toolbar
constexpr int kScreenMargin = 5;

bool IsHighlight(const ScreenRect& h) { return h.left != 0 && h.top != 0 && h.right != 0 && h.bottom != 0; }

template <size_t N>
ToolbarHit ButtonAt(const ToolbarButton (&buttons)[N], int dx, int dy) {
  ToolbarHit hit;
  if (dy < 3 || dy > 23) return hit;
  for (const ToolbarButton& button : buttons) {
    if (dx < button.firstDx || dx > button.lastDx) continue;
    hit.code = button.code;
    hit.highlighted = button.highlighted;
    if (button.highlighted) hit.highlight = ScreenRect{button.x1, 3, button.x2, 23};
    break;
  }
  return hit;
}

// The armed tool's button keeps its highlight: it looks pressed while the tool is armed.
template <size_t N>
ScreenRect ArmedHighlight(const ToolbarButton (&buttons)[N], ToolKind armed) {
  const int code = ToolbarCode(armed);
  for (const ToolbarButton& button : buttons)
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

// Each named button's hit range on the screen, for a box placed at `place` (none while it is empty).
template <size_t N>
void PlaceTips(CaptureSession& session, const ToolbarButton (&buttons)[N], const ScreenRect& place) {
  for (const ToolbarButton& button : buttons) {
    if (!button.tip) continue;
    const RECT rect = place.IsEmpty() ? RECT{}
                                      : RECT{place.left + button.firstDx, place.top + 3, place.left + button.lastDx + 1,
                                             place.top + 24};
    session.tips.Place(session.Window(), static_cast<UINT>(button.code), rect, button.tip);
  }
}

std::string Look(const ScreenRect& armed, const ScreenRect& hover, int stripWidth, int stripHeight) {
  char look[96];
  std::snprintf(look, sizeof look, "%d,%d %d,%d,%d,%d %d,%d,%d,%d", stripWidth, stripHeight, armed.left, armed.top,
                armed.right, armed.bottom, hover.left, hover.top, hover.right, hover.bottom);
  return look;
}

}  // namespace

int ToolbarCode(ToolKind kind) {
  const int number = static_cast<int>(kind);
  if (kind >= ToolKind::Line) return number - static_cast<int>(ToolKind::Line) + kToolbarLine;
  return number;
}

ToolbarHit ToolbarButtonAt(int dx, int dy) { return ButtonAt(kButtons, dx, dy); }
ToolbarHit ToolsBoxButtonAt(int dx, int dy) { return ButtonAt(kBoxButtons, dx, dy); }

ToolbarHit ToolbarHitAt(const ScreenRect& toolbar, POINT point) {
  return ToolbarButtonAt(point.x - toolbar.left, point.y - toolbar.top);
}

ToolbarHit ToolbarsHitAt(const CaptureState& state, POINT point) {
  const ToolbarHit hit = ToolbarHitAt(state.ToolbarRect, point);
  if (hit.code != 0 || state.ToolsBoxRect.IsEmpty()) return hit;
  return ToolsBoxButtonAt(point.x - state.ToolsBoxRect.left, point.y - state.ToolsBoxRect.top);
}

ScreenRect PlaceToolsBox(const ScreenRect& toolbar, int width) {
  ScreenRect box{toolbar.left - kBoxGap - width, toolbar.top, toolbar.left - kBoxGap, toolbar.bottom};
  if (box.left >= kScreenMargin) return box;
  box.left = toolbar.right + kBoxGap;
  box.right = box.left + width;
  return box;
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
  if (place.left < kScreenMargin) {
    place.right = place.right - place.left + kScreenMargin;
    place.left = kScreenMargin;
  }
  return place;
}

void PlaceToolbars(CaptureSession& session) {
  CaptureState& state = session.state;
  if (state.toolsHidden) {  // no toolbar, so nothing to hit either
    state.ToolbarRect = ScreenRect{};
    state.ToolsBoxRect = ScreenRect{};
    state.StyleBarRect = ScreenRect{};
    return;
  }
  const ImageUse strip = session.images.ToolbarStripImage();
  const ScreenRect monitor = session.desktop.MonitorOfSelection(state.SelectionRect);
  const ScreenRect placed = PlaceToolbar(IntoMonitor(state.SelectionRect, monitor), strip->GetWidth() + 4,
                                         strip->GetHeight() + 4, strip->GetHeight(), monitor.Height(),
                                         StyleBarRoom(session));
  state.ToolbarRect = KeptOn(OutOfMonitor(placed, monitor), monitor);
  // The box goes by the same monitor's edges as the toolbar.
  state.ToolsBoxRect = OutOfMonitor(
      PlaceToolsBox(IntoMonitor(state.ToolbarRect, monitor), session.images.ToolsStripImage()->GetWidth() + 4),
      monitor);
  PlaceStyleBar(session);
}

namespace {

// One box of buttons at `place`: its strip, the armed button and the one hit under the cursor lit.
void DrawBox(CaptureSession& session, const char* slot, const GxImage& strip, const ScreenRect& place,
             const ScreenRect& armed, const ToolbarHit& hit) {
  const int stripWidth = strip.GetWidth(), stripHeight = strip.GetHeight();
  const ScreenRect highlight = hit.highlighted && IsHighlight(hit.highlight) ? hit.highlight : ScreenRect{};
  const SurfaceUse surface =
      session.images.DrawnSurface(slot, Look(armed, highlight, stripWidth, stripHeight), stripWidth + 4,
                                  stripHeight + 4, [&](GxGraphics& s) { Paint(s, strip, armed, highlight); });
  session.frame.Blend(*surface, place.left, place.top, 255, true);
}

}  // namespace

void PlaceToolbarTips(CaptureSession& session) {
  PlaceTips(session, kButtons, session.state.ToolbarRect);
  PlaceTips(session, kBoxButtons, session.state.ToolsBoxRect);
}

void DrawToolbars(CaptureSession& session, std::optional<POINT> hover) {
  const CaptureState& state = session.state;
  if (state.toolsHidden) return;
  const ToolKind armed = session.annotations.Armed();
  const ScreenRect& box = state.ToolsBoxRect;
  DrawBox(session, "toolbar", *session.images.ToolbarStripImage(), state.ToolbarRect, ArmedHighlight(kButtons, armed),
          hover ? ToolbarHitAt(state.ToolbarRect, *hover) : ToolbarHit{});
  DrawBox(session, "tools box", *session.images.ToolsStripImage(), box, ArmedHighlight(kBoxButtons, armed),
          hover ? ToolsBoxButtonAt(hover->x - box.left, hover->y - box.top) : ToolbarHit{});
  DrawStyleBar(session, hover ? StyleBarHitAt(state.StyleBarRect, *hover) : StyleBarHit{});
}
