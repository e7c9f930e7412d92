#pragma once
// The desktop as it is when a capture opens: the virtual screen and the monitors that show parts
// of it, measured afresh each time (monitors come and go between captures).
//
// Two coordinate systems meet here and nowhere else. Screen coordinates are the system's: the
// primary monitor's top-left corner is (0, 0), and monitors left of or above it are negative.
// Canvas coordinates are the overlay's client area, the frozen layer's pixels: (0, 0) is the
// virtual screen's top-left corner. On one monitor the two are the same.

#include <windows.h>

#include <cstddef>
#include <optional>
#include <vector>

#include "win/ScreenRect.h"

struct DesktopLayout {
  ScreenRect virtualRect;            // screen coordinates
  std::vector<ScreenRect> monitors;  // screen coordinates, in the system's order
  std::size_t primary = 0;           // index into monitors

  // One monitor of the given size at (0, 0).
  static DesktopLayout Single(int width, int height);

  POINT ToCanvas(POINT screen) const;
  POINT ToScreen(POINT canvas) const;
  ScreenRect ToCanvas(const ScreenRect& screen) const;

  std::vector<ScreenRect> MonitorsOnCanvas() const;
  // The monitor that shows the canvas point, or the one nearest to it.
  ScreenRect MonitorOnCanvasAt(POINT canvas) const;
  // The canvas point itself when a monitor shows it or it lies off the virtual screen; a point
  // of a gap (inside the virtual screen, on no monitor) goes to the nearest shown pixel.
  POINT KeptOffGaps(POINT canvas) const;
  // The monitor a selection's toolbar and style bar go on: the one under its bottom-right
  // pixel, or the nearest to it.
  ScreenRect MonitorOfSelection(const ScreenRect& canvas) const;
  // The parts of the virtual screen that no monitor shows, on the canvas.
  std::vector<ScreenRect> GapsOnCanvas() const;
};

// Whether the rectangle shares a pixel with any of the monitors.
bool TouchesAny(const ScreenRect& rect, const std::vector<ScreenRect>& monitors);
// The pixel of the monitors nearest to (x, y).
POINT NearestShown(POINT point, const std::vector<ScreenRect>& monitors);
// The monitors' bounding box.
ScreenRect BoundingBox(const std::vector<ScreenRect>& monitors);

// Placement rules are written for one screen with its top-left corner at (0, 0). These carry a
// canvas rectangle into a monitor's own coordinates and a placed one back out onto the canvas.
ScreenRect IntoMonitor(const ScreenRect& canvas, const ScreenRect& monitor);
ScreenRect OutOfMonitor(const ScreenRect& local, const ScreenRect& monitor);
// A rule placing a top-left corner for the point (x, y), rule(x, y, width, height), run on the
// monitor; the corner comes back on the canvas.
template <typename Rule>
POINT OnMonitor(const ScreenRect& monitor, POINT at, Rule rule) {
  const POINT local = rule(at.x - monitor.left, at.y - monitor.top, monitor.Width(), monitor.Height());
  return POINT{local.x + monitor.left, local.y + monitor.top};
}
// The rectangle moved as little as it takes to lie wholly on the monitor, where it fits.
ScreenRect KeptOn(const ScreenRect& rect, const ScreenRect& monitor);

// The virtual screen and its monitors now, or the layout a test fixed.
DesktopLayout MeasureDesktop();
void OverrideDesktop(std::optional<DesktopLayout> layout);
