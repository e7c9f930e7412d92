#include "gx/PathTypes.h"

#include "gx/GdiplusApi.h"

using namespace Gdiplus;

bool PathTypesValid(const std::uint8_t* types, std::size_t count) {
  constexpr int kFlags = 0x10 | PathPointTypePathMarker | PathPointTypeCloseSubpath;  // dash mode, marker, close
  bool inFigure = false;
  int beziers = 0;  // Bezier points since the last start or line point
  for (std::size_t i = 0; i < count; ++i) {
    const int type = types[i];
    const int kind = type & PathPointTypePathTypeMask;
    if ((type & ~(PathPointTypePathTypeMask | kFlags)) != 0) return false;
    if (kind == PathPointTypeStart) {
      if (beziers % 3 != 0) return false;
      beziers = 0;
      inFigure = true;
    } else if (!inFigure || (kind != PathPointTypeLine && kind != PathPointTypeBezier)) {
      return false;
    } else if (kind == PathPointTypeLine) {
      if (beziers % 3 != 0) return false;
      beziers = 0;
    } else {
      ++beziers;
    }
    if (type & PathPointTypeCloseSubpath) {
      if (beziers % 3 != 0) return false;
      inFigure = false;
    }
  }
  return beziers % 3 == 0;
}
