#pragma once
// Arguments that never reach GDI+, because not every flat entry survives them (under Wine 8,
// several end the process or never return):
// - a call on no object: GdipIsVisibleClipEmpty reads through a null graphics;
// - coordinates GDI+ cannot hold: its rasteriser keeps them in fixed point and refuses larger
//   ones with ValueOverflow, while Wine flattens a curve with a NaN, infinite or huge point
//   forever. Point and rectangle arrays are checked in every call; numbers given one by one in
//   calls on a graphics, a path or a region (positions, sizes, angles, scales, tensions).

#include <cstddef>
#include <type_traits>

#include "gx/GdiplusApi.h"

// The GDI+ objects a flat call acts on.
template <typename T>
constexpr bool kIsGdiplusObject =
    std::disjunction_v<std::is_same<T, Gdiplus::GpGraphics>, std::is_same<T, Gdiplus::GpPen>,
                       std::is_same<T, Gdiplus::GpBrush>, std::is_same<T, Gdiplus::GpSolidFill>,
                       std::is_same<T, Gdiplus::GpFont>, std::is_same<T, Gdiplus::GpFontFamily>,
                       std::is_same<T, Gdiplus::GpFontCollection>, std::is_same<T, Gdiplus::GpStringFormat>,
                       std::is_same<T, Gdiplus::GpImage>, std::is_same<T, Gdiplus::GpBitmap>,
                       std::is_same<T, Gdiplus::GpMetafile>, std::is_same<T, Gdiplus::GpImageAttributes>,
                       std::is_same<T, Gdiplus::GpPath>, std::is_same<T, Gdiplus::GpRegion>,
                       std::is_same<T, Gdiplus::GpMatrix>, std::is_same<T, Gdiplus::GpCustomLineCap>,
                       std::is_same<T, Gdiplus::GpCachedBitmap>>;

template <typename T>
using GxPointee = std::remove_cv_t<std::remove_pointer_t<T>>;

// True when the object a call acts on (its first argument) is missing.
template <typename First, typename... Rest>
bool ActsOnNoObject(const First& first, const Rest&...) {
  if constexpr (std::is_pointer_v<First> && kIsGdiplusObject<GxPointee<First>>) return first == nullptr;
  return false;
}
inline bool ActsOnNoObject() { return false; }

// The largest coordinate magnitude GDI+ works with (its infinite region spans -2^22 to 2^22).
constexpr double kLargestCoordinate = 8388608.0;

inline bool CoordinateFits(double value) { return value >= -kLargestCoordinate && value <= kLargestCoordinate; }

inline bool RecordFits(const Gdiplus::PointF& p) { return CoordinateFits(p.X) && CoordinateFits(p.Y); }
inline bool RecordFits(const Gdiplus::Point& p) { return CoordinateFits(p.X) && CoordinateFits(p.Y); }
inline bool RecordFits(const Gdiplus::RectF& r) {
  return CoordinateFits(r.X) && CoordinateFits(r.Y) && CoordinateFits(r.Width) && CoordinateFits(r.Height);
}
inline bool RecordFits(const Gdiplus::Rect& r) {
  return CoordinateFits(r.X) && CoordinateFits(r.Y) && CoordinateFits(r.Width) && CoordinateFits(r.Height);
}

template <typename T>
constexpr bool kIsGeometryRecord =
    std::disjunction_v<std::is_same<GxPointee<T>, Gdiplus::PointF>, std::is_same<GxPointee<T>, Gdiplus::Point>,
                       std::is_same<GxPointee<T>, Gdiplus::RectF>, std::is_same<GxPointee<T>, Gdiplus::Rect>>;

template <typename T>
constexpr bool kActsOnGeometry =
    std::disjunction_v<std::is_same<GxPointee<T>, Gdiplus::GpGraphics>, std::is_same<GxPointee<T>, Gdiplus::GpPath>,
                       std::is_same<GxPointee<T>, Gdiplus::GpRegion>>;

// A record array given as (pointer, count), or one record by pointer when no count follows it.
template <typename Pointer, typename Next, typename... Others>
bool ArrayFits(Pointer records, const Next& next, const Others&...) {
  if (!records) return true;
  std::size_t count = 1;
  if constexpr (std::is_same_v<Next, int>) count = next > 0 ? static_cast<std::size_t>(next) : 0;
  for (std::size_t i = 0; i < count; ++i)
    if (!RecordFits(records[i])) return false;
  return true;
}

template <bool Scalars, typename Arg>
bool ArgumentFits(const Arg& arg) {
  if constexpr (Scalars && (std::is_same_v<Arg, float> || std::is_same_v<Arg, double> || std::is_same_v<Arg, int>))
    return CoordinateFits(static_cast<double>(arg));
  return true;
}

template <bool Scalars>
bool ArgumentsFit() { return true; }
template <bool Scalars, typename Arg, typename... Rest>
bool ArgumentsFit(const Arg& arg, const Rest&... rest) {
  if constexpr (std::is_pointer_v<Arg> && kIsGeometryRecord<Arg>) {
    if constexpr (sizeof...(Rest) > 0) {
      if (!ArrayFits(arg, rest...)) return false;
    } else if (!ArrayFits(arg, 0.0)) {
      return false;
    }
  } else if (!ArgumentFits<Scalars>(arg)) {
    return false;
  }
  return ArgumentsFit<Scalars>(rest...);
}

// True when every coordinate of the call is one GDI+ can hold. (GdipDrawDriverString, whose
// positions are followed by flags rather than a count, is checked by its wrapper instead.)
template <typename First, typename... Rest>
bool GeometryFits(const First& first, const Rest&... rest) {
  return ArgumentsFit<kActsOnGeometry<First>>(first, rest...);
}
inline bool GeometryFits() { return true; }
