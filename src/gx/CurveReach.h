#pragma once
// How far a cardinal curve drawn on a graphics may reach. Wine flattens a Bezier by halving it
// until each piece lies within a fraction of a pixel of its chord, a test it makes in float on
// products of two device coordinates; some way past 2^16 pixels from the origin rounding keeps
// that test from ever coming true and the halving runs for minutes. A curve reaches beyond its
// points: its control points stand up to a third of the tension times the points' spread away
// (points 46341 apart at tension 8 reached 110000).

#include <algorithm>
#include <cmath>
#include <vector>

#include "gx/GxObject.h"

constexpr double kLargestCurveReach = 65536.0;

// False, with LastStatus ValueOverflow, when a curve through `points` at `tension` would reach
// further than that on `graphics`'s device. A graphics that cannot say is left to the call itself.
template <typename Point>
bool CurveReachFits(Gdiplus::GpGraphics* graphics, const std::vector<Point>& points, float tension) {
  if (!graphics || points.empty()) return true;
  double left = points[0].x, right = left, top = points[0].y, bottom = top;
  for (const Point& p : points) {
    left = std::min<double>(left, p.x);
    right = std::max<double>(right, p.x);
    top = std::min<double>(top, p.y);
    bottom = std::max<double>(bottom, p.y);
  }
  const double reach = std::fabs(static_cast<double>(tension)) / 3.0 * std::max(right - left, bottom - top);
  Gdiplus::GpPointF corners[4] = {{static_cast<float>(left - reach), static_cast<float>(top - reach)},
                                  {static_cast<float>(right + reach), static_cast<float>(top - reach)},
                                  {static_cast<float>(left - reach), static_cast<float>(bottom + reach)},
                                  {static_cast<float>(right + reach), static_cast<float>(bottom + reach)}};
  const int status = Gdip<GDIP(GdipTransformPoints)>(graphics, Gdiplus::CoordinateSpaceDevice,
                                                     Gdiplus::CoordinateSpaceWorld, corners, 4);
  bool fits = status != GxValueOverflow;
  if (status == GxOk)
    for (const Gdiplus::GpPointF& corner : corners)
      fits = fits && std::fabs(corner.X) <= kLargestCurveReach && std::fabs(corner.Y) <= kLargestCurveReach;
  LastStatus = fits ? GxOk : GxValueOverflow;
  return fits;
}

// The furthest any of `path`'s points, control points included, lands from the origin through
// `matrix` (none: as it stands); 0 for a path GDI+ cannot measure, infinity for NaN bounds.
inline double PathReach(Gdiplus::GpPath* path, Gdiplus::GpMatrix* matrix) {
  Gdiplus::GpRectF bounds{};
  if (!path || Gdip<GDIP(GdipGetPathWorldBounds)>(path, &bounds, matrix, nullptr) != GxOk) return 0;
  const double furthest = std::max({std::fabs(static_cast<double>(bounds.X)), std::fabs(static_cast<double>(bounds.Y)),
                                    std::fabs(static_cast<double>(bounds.X) + bounds.Width),
                                    std::fabs(static_cast<double>(bounds.Y) + bounds.Height)});
  return std::isnan(furthest) ? HUGE_VAL : furthest;
}

// The same limit for a path flattened (or widened, or outlined) through `matrix`: false, with
// LastStatus ValueOverflow, when it holds a Bezier that would land further out.
inline bool PathReachFits(Gdiplus::GpPath* path, Gdiplus::GpMatrix* matrix) {
  INT count = 0;
  if (!path || Gdip<GDIP(GdipGetPointCount)>(path, &count) != GxOk || count <= 0) return true;
  std::vector<BYTE> types(static_cast<std::size_t>(count));
  if (Gdip<GDIP(GdipGetPathTypes)>(path, types.data(), count) != GxOk) return true;
  const bool curved = std::any_of(types.begin(), types.end(), [](BYTE type) {
    return (type & Gdiplus::PathPointTypePathTypeMask) == Gdiplus::PathPointTypeBezier;
  });
  const bool fits = !curved || PathReach(path, matrix) <= kLargestCurveReach;
  LastStatus = fits ? GxOk : GxValueOverflow;
  return fits;
}
