#pragma once
// The bar of stroke sizes and colours shown by the toolbar while a tool is armed, in the
// toolbar's look. It belongs to the toolbar's hit zone: clicks on it choose a size or a colour
// and never start a selection or a shape.

#include <windows.h>

#include "win/ScreenRect.h"

class CaptureSession;

enum class StyleItem { None, Size, Colour };

struct StyleBarHit {
  StyleItem item = StyleItem::None;
  int index = 0;          // the size (0..2) or the palette entry
  ScreenRect highlight;   // x1, y1, x2, y2 on the bar's surface
};

// The item under an offset (dx, dy) from the bar's top-left corner.
StyleBarHit StyleBarItemAt(int dx, int dy);
// The item under a point of the screen, for a bar placed at `bar`; none while no bar is shown.
StyleBarHit StyleBarHitAt(const ScreenRect& bar, POINT point);

// Where a bar of width × height goes: under the toolbar, or above it when there is no room below
// or the room below is the selection's (the toolbar sits above it).
ScreenRect PlaceStyleBar(const ScreenRect& toolbar, const ScreenRect& selection, int width, int height,
                         int screenWidth, int screenHeight);

// The height the bar takes beside the toolbar: 0 while no tool is armed.
int StyleBarRoom(const CaptureSession& session);
// While a tool is armed, places the bar by the placed toolbar (StyleBarRect); otherwise no bar.
void PlaceStyleBar(CaptureSession& session);
// Draws the placed bar with the chosen size and colour marked and `hover` highlighted.
void DrawStyleBar(CaptureSession& session, const StyleBarHit& hover);
// Chooses the size or colour of a hit (an open text box takes it); false when the hit is no item.
bool ChooseFromStyleBar(CaptureSession& session, const StyleBarHit& hit);
