#pragma once
// The overlay's right-button menu, drawn from two images beside the cursor. Its rows arm the
// annotation tools, undo, reselect, finish, save, pin the selection, hide the toolbar or leave.
// What it draws and where a point falls depend only on what it is given.

#include <windows.h>

#include <vector>

#include "win/ScreenRect.h"

class GxGraphics;
class GxImage;

struct MenuHit {
  bool found = false;
  int row = 0;            // 1..12
  ScreenRect highlight;   // in menu coordinates
};

// The size of the menu's surface.
constexpr int kMenuSurfaceWidth = 155;
constexpr int kMenuSurfaceHeight = 278;

// Top-left of a menu opened with the cursor at (x, y) on a screen of the given size.
POINT MenuOrigin(int x, int y, int screenWidth, int screenHeight);
// The row under an offset (dx, dy) from the menu's top-left corner.
MenuHit MenuRowAt(int dx, int dy);
// Every row's highlight rectangle, in menu coordinates, so its image can be made ready.
std::vector<ScreenRect> MenuRowHighlights();

// The menu on a kMenuSurfaceWidth × kMenuSurfaceHeight surface: its box, the normal image and,
// over `highlight` (menu coordinates, none when empty), the highlighted image's strip for it.
void PaintMenu(GxGraphics& surface, const GxImage& normal, const GxImage* highlighted, const ScreenRect& highlight);

// The tool rows are numbered as ToolKind.
constexpr int kMenuRectangle = 1;
constexpr int kMenuEllipse = 2;
constexpr int kMenuArrow = 3;
constexpr int kMenuBrush = 4;
constexpr int kMenuText = 5;
constexpr int kMenuUndo = 6;
constexpr int kMenuReselect = 7;
constexpr int kMenuFinish = 8;
constexpr int kMenuSave = 9;
constexpr int kMenuPin = 10;
constexpr int kMenuHideTools = 11;
constexpr int kMenuExit = 12;
