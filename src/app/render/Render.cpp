#include "app/render/Render.h"

#include <string>

#include "app/capture/CaptureSession.h"
#include "app/desktop/WindowCandidate.h"
#include "app/render/Magnifier.h"
#include "app/render/SelectionRenderer.h"
#include "app/render/Toolbar.h"
#include "output/ContextMenu.h"
#include "settings/CurrentSettings.h"

namespace {

// The user may turn the magnifier off; it is on unless they did.
void DrawMagnifierIfShown(CaptureSession& session, POINT cursor) {
  if (CurrentSettings().showMagnifier) DrawMagnifier(session, cursor);
}

void ClearBars(CaptureState& state) {
  state.ToolbarRect = ScreenRect{};
  state.ToolsBoxRect = ScreenRect{};
  state.StyleBarRect = ScreenRect{};
}

void DrawLooking(CaptureSession& session, std::optional<POINT> cursor) {
  if (!cursor) return;
  if (const auto window = CandidateAt(session.windows, *cursor)) DrawCandidate(session, *window);
  DrawMagnifierIfShown(session, *cursor);
}

// The menu at MenuRect's top-left, the row under `cursor` lit; MenuRect takes the menu's size.
// It is kept as drawn for each lit row (a dozen small surfaces), so hovering costs a blend.
void DrawMenu(CaptureSession& session, std::optional<POINT> cursor) {
  ScreenRect& menu = session.state.MenuRect;
  const MenuHit hit = cursor ? MenuRowAt(cursor->x - menu.left, cursor->y - menu.top) : MenuHit{};
  const ScreenRect lit = hit.found ? hit.highlight : ScreenRect{};
  const std::string slot = "menu " + std::to_string(lit.left) + "," + std::to_string(lit.top) + "," + std::to_string(lit.right) +
                           "," + std::to_string(lit.bottom);
  const SurfaceUse surface = session.images.DrawnSurface(
      slot, "", kMenuSurfaceWidth, kMenuSurfaceHeight, [&](GxGraphics& drawn) {
        const ImageUse normal = session.images.MenuImage();
        if (hit.found) {
          const ImageUse highlighted = session.images.MenuHighlightImage(hit.highlight);
          PaintMenu(drawn, *normal, &*highlighted, hit.highlight);
        } else {
          PaintMenu(drawn, *normal, nullptr, ScreenRect{});
        }
      });
  menu.right = menu.left + surface->GetSurfaceWidth();
  menu.bottom = menu.top + surface->GetSurfaceHeight();
  session.frame.Blend(*surface, menu.left, menu.top, 255, true);
}

// The selection as dragged so far (or as it is), with the magnifier: drawing and resizing.
void DrawDragged(CaptureSession& session, const std::optional<ScreenRect>& drawn, std::optional<POINT> cursor) {
  ClearBars(session.state);
  DrawSelection(session, drawn.value_or(session.state.SelectionRect));
  if (cursor) DrawMagnifierIfShown(session, *cursor);
}

void RenderFrame(CaptureSession& session, std::optional<POINT> cursor) {
  CaptureState& state = session.state;
  state.shownColour.clear();  // until a magnifier is drawn
  session.frame.PaintBase();
  if (state.Is<modes::Looking>()) {
    ClearBars(state);
    DrawLooking(session, cursor);
    return;
  }
  if (const auto* drawing = state.As<modes::Drawing>()) {
    // A press that has not moved yet shows what looking showed.
    if (drawing->drawn) {
      DrawDragged(session, drawing->drawn, cursor);
    } else {
      DrawLooking(session, cursor);
    }
    return;
  }
  if (const auto* resizing = state.As<modes::Resizing>()) {
    DrawDragged(session, resizing->drawn, cursor);
    return;
  }
  DrawSelection(session, state.SelectionRect);
  PlaceToolbars(session);
  const bool lit = state.Is<modes::Selected>();
  DrawToolbars(session, lit ? cursor : std::nullopt);
  if (state.Is<modes::MenuOpen>()) DrawMenu(session, cursor);
}

}  // namespace

void Render(CaptureSession& session, std::optional<POINT> cursor) {
  RenderFrame(session, cursor);
  PlaceToolbarTips(session);
}
