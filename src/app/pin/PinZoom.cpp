#include "app/pin/PinZoom.h"

#include <algorithm>
#include <cmath>

namespace {

// Fine steps where the image is small, coarser ones as it grows.
constexpr int kZoomStops[] = {10,  20,  30,  40,  50,  60,  70,  80,  90,  100, 125,
                              150, 175, 200, 250, 300, 350, 400, 500, 600, 700, 800};
constexpr int kStopCount = static_cast<int>(sizeof kZoomStops / sizeof kZoomStops[0]);

// The index of the stop at `percent`, or of the nearest one below it.
int StopIndex(int percent) {
  int index = 0;
  while (index + 1 < kStopCount && kZoomStops[index + 1] <= percent) ++index;
  return index;
}

long long ShownPixels(int width, int height, int percent) {
  return static_cast<long long>(ShownLength(width, percent)) * ShownLength(height, percent);
}

}  // namespace

int ShownLength(int length, int percent) {
  return std::max(1, static_cast<int>(std::lround(static_cast<double>(length) * percent / 100.0)));
}

int LargestZoom(int width, int height) {
  int index = kStopCount - 1;
  while (index > 0 && kZoomStops[index] > 100 && ShownPixels(width, height, kZoomStops[index]) > kPinMaxShownPixels)
    --index;
  return kZoomStops[index];
}

int SteppedZoom(int percent, int notches, int width, int height) {
  const int index = std::clamp(StopIndex(percent) + notches, 0, kStopCount - 1);
  return std::clamp(kZoomStops[index], kPinMinZoom, LargestZoom(width, height));
}

int SteppedOpacity(int percent, int notches) {
  return std::clamp(percent + 10 * notches, kPinMinOpacity, kPinMaxOpacity);
}

POINT PinOrigin::Rounded() const { return POINT{static_cast<LONG>(std::lround(x)), static_cast<LONG>(std::lround(y))}; }

PinOrigin ZoomedOrigin(PinOrigin origin, POINT anchor, int fromPercent, int toPercent) {
  const double scale = static_cast<double>(toPercent) / fromPercent;
  return PinOrigin{anchor.x - (anchor.x - origin.x) * scale, anchor.y - (anchor.y - origin.y) * scale};
}
