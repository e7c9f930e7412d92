#pragma once
// How a pinned capture's zoom and opacity step with the wheel, and where a zoom puts the image.
// Zoom and opacity are whole percents, so stepping back always lands on 100 % exactly.

#include <windows.h>

constexpr int kPinMinZoom = 10;
constexpr int kPinMaxZoom = 800;
constexpr int kPinMinOpacity = 20;
constexpr int kPinMaxOpacity = 100;
// A zoomed pin is a window surface of its shown size: above this many pixels (64 MB) a large pin
// stops growing before 800 %, so no zoom can exhaust a 32-bit process.
constexpr long long kPinMaxShownPixels = 4096LL * 4096LL;

// The zoom `notches` wheel steps away from `percent` (positive: larger), within 10 % and the
// largest zoom an image of width x height may have.
int SteppedZoom(int percent, int notches, int width, int height);
// The largest zoom an image of width x height may have (800 % unless that is too many pixels).
int LargestZoom(int width, int height);
// The opacity `notches` steps of 10 % away from `percent`, within 20 % and 100 %.
int SteppedOpacity(int percent, int notches);
// A length of the image shown at `percent`, never below one pixel.
int ShownLength(int length, int percent);
// The image's top-left on the screen, kept unrounded so that zooming in and out again around
// the same point comes back to the same place.
struct PinOrigin {
  double x = 0, y = 0;
  POINT Rounded() const;
};
// The image's new top-left when it goes from `fromPercent` to `toPercent` and the image point
// under `anchor` stays under it.
PinOrigin ZoomedOrigin(PinOrigin origin, POINT anchor, int fromPercent, int toPercent);
