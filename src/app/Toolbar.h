#pragma once
// The toolbar under (or over, or inside) the selection: one image strip, eleven hit areas,
// hover and press highlights. The first five buttons arm the annotation tools (the armed one
// stays highlighted), the sixth undoes; save, cancel and finish end the capture. While a tool is
// armed the style bar comes with it.

#include "app/CaptureState.h"

enum class ToolbarAction { None, Hover, Press };
// The program's own texts: "", "划过", "按下".
const char* Label(ToolbarAction action);

struct ToolbarHit {
  bool highlighted = false;  // a button with a highlight was hit
  int code = 0;              // 0 when nothing was hit
  ScreenRect highlight;      // x1, y1, x2, y2 on the toolbar surface
};

// The button under an offset (dx, dy) from the toolbar's top-left corner.
ToolbarHit ToolbarButtonAt(int dx, int dy);
// The button under the cursor.
ToolbarHit ToolbarHitTest();

// Where a toolbar surface of surfaceWidth × surfaceHeight goes for the selection, given the
// strip's height and the screen's height.
ScreenRect PlaceToolbar(const ScreenRect& selection, int surfaceWidth, int surfaceHeight, int stripHeight,
                        int screenHeight);

void ToolbarDispatch(ToolbarAction action);
void DrawToolbar(const ScreenRect& highlight, bool highlighted);

// The tool buttons are numbered as ToolKind.
constexpr int kToolbarRectangle = 1;
constexpr int kToolbarEllipse = 2;
constexpr int kToolbarArrow = 3;
constexpr int kToolbarBrush = 4;
constexpr int kToolbarText = 5;
constexpr int kToolbarUndo = 6;
constexpr int kToolbarSave = 7;
constexpr int kToolbarCancel = 10;
constexpr int kToolbarFinish = 11;
