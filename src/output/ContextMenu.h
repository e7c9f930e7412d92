#pragma once
// The overlay's right-button menu, drawn from two images beside the cursor. Its rows arm the
// annotation tools, undo, reselect, finish, save, hide the toolbar or leave.

#include <windows.h>

#include "app/CaptureState.h"

enum class MenuAction { Open, Hover, Press };
// The program's own texts: "", "划过", "按下".
const char* Label(MenuAction action);

struct MenuHit {
  bool found = false;
  int row = 0;            // 1..11
  ScreenRect highlight;   // in menu coordinates
};

// Top-left of a menu opened with the cursor at (x, y) on a screen of the given size.
POINT MenuOrigin(int x, int y, int screenWidth, int screenHeight);
// The row under an offset (dx, dy) from the menu's top-left corner.
MenuHit MenuRowAt(int dx, int dy);
MenuHit MenuHitTest();

void ContextMenu(MenuAction action);
// Closes the menu and draws the selection and toolbar without it.
void CloseMenu();
void DrawMenu(const ScreenRect& highlight);

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
constexpr int kMenuHideTools = 10;
constexpr int kMenuExit = 11;
