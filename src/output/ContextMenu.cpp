#include "output/ContextMenu.h"

#include "app/AnnotationSession.h"
#include "app/CaptureImages.h"
#include "app/Desktop.h"
#include "app/FrameDamage.h"
#include "app/Layers.h"
#include "app/RoundedRect.h"
#include "app/SelectionRenderer.h"
#include "app/Toolbar.h"
#include "gx/GxGraphics.h"
#include "gx/GxImage.h"
#include "gx/GxPath.h"
#include "gx/GxPen.h"
#include "gx/GxSolidBrush.h"
#include "output/Commands.h"

namespace {

constexpr int kMenuSurfaceWidth = 155;
constexpr int kMenuSurfaceHeight = 256;

struct MenuRow {
  int row, firstY, lastY;
};

// Bands relative to the menu's top; a y on a shared boundary belongs to the upper row.
constexpr MenuRow kRows[] = {
    {1, 2, 24},     {2, 24, 46},    {3, 46, 68},    {4, 68, 90},   {5, 90, 112},  {6, 112, 134},
    {7, 138, 160},  {8, 160, 182},  {9, 182, 204},  {10, 208, 230}, {11, 230, 252},
};

ScreenRect RowHighlight(const MenuRow& row) { return ScreenRect{2, row.firstY, 153, row.firstY + 22}; }

// The tool rows arm their tool (staying armed when it is), then the menu closes.
void ArmFromMenu(ToolKind kind) {
  if (ArmedTool() != kind) ToggleTool(kind);
  CloseMenu();
}

void UndoFromMenu() {
  UndoAnnotation();
  CloseMenu();
}

void HideOrShowTools() {
  Capture().toolsHidden = !Capture().toolsHidden;
  CloseMenu();
}

}  // namespace

const char* Label(MenuAction action) {
  switch (action) {
    case MenuAction::Hover: return "划过";
    case MenuAction::Press: return "按下";
    case MenuAction::Open: break;
  }
  return "";
}

POINT MenuOrigin(int x, int y, int screenWidth, int screenHeight) {
  const double right = static_cast<double>(x + 159) - static_cast<double>(screenWidth - 10);
  const double down = static_cast<double>(y + 260) - static_cast<double>(screenHeight - 10);
  POINT origin;
  origin.x = static_cast<LONG>(right > 1e-7 ? x - 159.0 : x + 4.0);
  origin.y = static_cast<LONG>(down > 1e-7 ? y - 258.0 : y + 4.0);
  return origin;
}

MenuHit MenuRowAt(int dx, int dy) {
  MenuHit hit;
  if (dx < 2 || dx > 153) return hit;
  for (const MenuRow& row : kRows) {
    if (dy < row.firstY || dy > row.lastY) continue;
    hit.found = true;
    hit.row = row.row;
    hit.highlight = RowHighlight(row);
    break;
  }
  return hit;
}

MenuHit MenuHitTest() {
  POINT cursor = CursorPosition();
  const ScreenRect& menu = Capture().MenuRect;
  return MenuRowAt(cursor.x - menu.left, cursor.y - menu.top);
}

void DrawMenu(const ScreenRect& r) {
  const ImageUse normal = MenuImage();
  GxGraphics surface;
  surface.CreateSurface(kMenuSurfaceWidth, kMenuSurfaceHeight);
  GxPath path;
  path.Create();
  AddRoundedRect(path, 0, 0, static_cast<float>(surface.GetSurfaceWidth() + 2),
                 static_cast<float>(surface.GetSurfaceHeight()), 6);
  GxSolidBrush brush;
  brush.Create(ArgbFromColorRef(RGB(255, 255, 255)));
  GxPen pen;
  pen.Create(ArgbFromColorRef(RGB(102, 102, 102)), 1.0f);
  surface.FillPath(brush, path);
  surface.DrawPath(pen, path);
  surface.DrawImageStretched(*normal, 2, 2, static_cast<float>(normal->GetWidth()),
                             static_cast<float>(normal->GetHeight()));
  if (r.left != 0 && r.top != 0 && r.right != 0 && r.bottom != 0) {
    const ImageUse highlighted = MenuHighlightImage(r);
    surface.DrawImageStretched(*highlighted, static_cast<float>(r.left), static_cast<float>(r.top),
                               static_cast<float>(r.right - r.left), static_cast<float>(r.bottom - r.top));
  }
  ScreenRect& menu = Capture().MenuRect;
  menu.right = menu.left + surface.GetSurfaceWidth();
  menu.bottom = menu.top + surface.GetSurfaceHeight();
  BlendOntoCanvas(surface, menu.left, menu.top, 255, true);
}

void ContextMenu(MenuAction action) {
  if (action == MenuAction::Open) {
    POINT cursor = CursorPosition();
    POINT origin = MenuOrigin(cursor.x, cursor.y, ScreenWidth(), ScreenHeight());
    Capture().MenuRect.left = origin.x;
    Capture().MenuRect.top = origin.y;
    DrawMenu(ScreenRect{});
    for (const MenuRow& row : kRows) PrepareMenuHighlight(RowHighlight(row));
    return;
  }
  const MenuHit hit = MenuHitTest();
  DrawMenu(hit.highlight);
  if (action != MenuAction::Press) return;
  switch (hit.row) {
    case kMenuRectangle: case kMenuEllipse: case kMenuArrow: case kMenuBrush: case kMenuText:
      ArmFromMenu(static_cast<ToolKind>(hit.row));
      break;
    case kMenuUndo: UndoFromMenu(); break;
    case kMenuHideTools: HideOrShowTools(); break;
    case kMenuReselect: ReselectCapture(); break;
    case kMenuFinish: FinishCapture(); break;
    case kMenuSave: SaveCapture(); break;
    case kMenuExit: CancelCapture(); break;
    default: break;
  }
}

void CloseMenu() {
  CaptureState& state = Capture();
  state.menuShown = 0;
  state.MenuRect = ScreenRect{};
  RedrawSelection(RedrawAction::ClearRects);
  ToolbarDispatch(ToolbarAction::None);
}
