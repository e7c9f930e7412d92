#pragma once
// The toolbar under (or over, or inside) the selection: one image strip, eleven hit areas,
// hover and press highlights. The first five buttons arm the annotation tools (the armed one
// stays highlighted), the sixth undoes; save, cancel and finish end the capture. The further
// tools have a box of their own beside it, in the same look, so that the ten buttons stay where
// people and scripts find them. While a tool is armed the style bar comes with them.

#include <windows.h>

#include <optional>

#include "annotate/AnnotationTool.h"
#include "win/ScreenRect.h"

class CaptureSession;
struct CaptureState;

struct ToolbarHit {
  bool highlighted = false;  // a button with a highlight was hit
  int code = 0;              // 0 when nothing was hit
  ScreenRect highlight;      // x1, y1, x2, y2 on the toolbar surface
};

// The button under an offset (dx, dy) from the toolbar's top-left corner.
ToolbarHit ToolbarButtonAt(int dx, int dy);
// The button under an offset (dx, dy) from the tools box's top-left corner.
ToolbarHit ToolsBoxButtonAt(int dx, int dy);
// The button under a point of the screen, for a toolbar placed at `toolbar`.
ToolbarHit ToolbarHitAt(const ScreenRect& toolbar, POINT point);
// The button under a point of the screen in the toolbar or the tools box as they were placed.
ToolbarHit ToolbarsHitAt(const CaptureState& state, POINT point);
// The code of the button that arms a tool; 0 for none.
int ToolbarCode(ToolKind kind);

// Where a toolbar surface of surfaceWidth × surfaceHeight goes for the selection, given the
// strip's height and the screen's height: under the selection, else over it, else inside it at its
// top. `companion` is the height the style bar needs beside it (0 while there is none): the two
// go together, both under, both over or both inside, so the bar never lies over the frame.
ScreenRect PlaceToolbar(const ScreenRect& selection, int surfaceWidth, int surfaceHeight, int stripHeight,
                        int screenHeight, int companion = 0);

// Where the tools box of `width` goes beside a placed toolbar, at its height: to its left, or to
// its right where the screen's left edge leaves no room.
ScreenRect PlaceToolsBox(const ScreenRect& toolbar, int width);

// Places the toolbar, the tools box and, while a tool is armed, the style bar by the selection (ToolbarRect and
// StyleBarRect); all empty while the menu has hidden them.
void PlaceToolbars(CaptureSession& session);
// Gives each button's tooltip (its name and key) the button's place, or none while the toolbars
// are not shown.
void PlaceToolbarTips(CaptureSession& session);
// Draws them where they were placed, the armed tool's button and the chosen style marked, and
// the button or item under `hover` highlighted.
void DrawToolbars(CaptureSession& session, std::optional<POINT> hover);

// The codes of the buttons; the tool buttons are numbered as ToolKind.
constexpr int kToolbarRectangle = 1;
constexpr int kToolbarEllipse = 2;
constexpr int kToolbarArrow = 3;
constexpr int kToolbarBrush = 4;
constexpr int kToolbarText = 5;
constexpr int kToolbarUndo = 6;
constexpr int kToolbarSave = 7;
constexpr int kToolbarSaveWithMenu = 8;
constexpr int kToolbarSaveMenuArrow = 9;
constexpr int kToolbarCancel = 10;
constexpr int kToolbarFinish = 11;
// The tools box's, in the order of their ToolKind.
constexpr int kToolbarLine = 12;
constexpr int kToolbarHighlighter = 13;
constexpr int kToolbarMosaic = 14;
constexpr int kToolbarBlur = 15;
constexpr int kToolbarStepNumber = 16;
