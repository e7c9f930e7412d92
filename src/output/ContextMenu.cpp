#include "output/ContextMenu.h"

#include "gx/Colour.h"
#include "gx/GxGraphics.h"
#include "gx/GxImage.h"
#include "gx/GxPath.h"
#include "gx/GxPen.h"
#include "gx/GxSolidBrush.h"
#include "gx/RoundedRect.h"

namespace {

struct MenuRow {
  int row, firstY, lastY;
};

// Bands relative to the menu's top; a y on a shared boundary belongs to the upper row.
constexpr MenuRow kRows[] = {
    {1, 2, 24},     {2, 24, 46},    {3, 46, 68},    {4, 68, 90},   {5, 90, 112},  {6, 112, 134},
    {7, 138, 160},  {8, 160, 182},  {9, 182, 204},  {10, 204, 226}, {11, 230, 252}, {12, 252, 274},
};

ScreenRect RowHighlight(const MenuRow& row) { return ScreenRect{2, row.firstY, 153, row.firstY + 22}; }

}  // namespace

POINT MenuOrigin(int x, int y, int screenWidth, int screenHeight) {
  // 4 pixels from the cursor; flipped, it ends 4 pixels left of it and 2 above it.
  const int across = kMenuSurfaceWidth + 4, down = kMenuSurfaceHeight + 4;
  const double pastRight = static_cast<double>(x + across) - static_cast<double>(screenWidth - 10);
  const double pastBottom = static_cast<double>(y + down) - static_cast<double>(screenHeight - 10);
  POINT origin;
  origin.x = static_cast<LONG>(pastRight > 1e-7 ? x - static_cast<double>(across) : x + 4.0);
  origin.y = static_cast<LONG>(pastBottom > 1e-7 ? y - static_cast<double>(down - 2) : y + 4.0);
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

std::vector<ScreenRect> MenuRowHighlights() {
  std::vector<ScreenRect> highlights;
  for (const MenuRow& row : kRows) highlights.push_back(RowHighlight(row));
  return highlights;
}

void PaintMenu(GxGraphics& surface, const GxImage& normal, const GxImage* highlighted, const ScreenRect& r) {
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
  surface.DrawImageStretched(normal, 2, 2, static_cast<float>(normal.GetWidth()), static_cast<float>(normal.GetHeight()));
  if (highlighted && r.left != 0 && r.top != 0 && r.right != 0 && r.bottom != 0)
    surface.DrawImageStretched(*highlighted, static_cast<float>(r.left), static_cast<float>(r.top),
                               static_cast<float>(r.Width()), static_cast<float>(r.Height()));
}
