#pragma once
// Checks made before a call reaches GDI+: an offset or count that would send GDI+ past either end
// of a caller's array is InvalidParameter, and an array sized by a count that no memory can hold
// is OutOfMemory. Either way the call fails like any other wrapper call instead of reading
// memory it does not own or ending the process with an exception.

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>
#include <new>
#include <stdexcept>

#include "gx/GxObject.h"

// The most one array for GDI+ may take. A 32-bit process cannot hold more anyway; a 64-bit one
// could reserve a count near INT_MAX and then spend minutes and gigabytes filling it, which is
// not what such a count asks for either.
constexpr std::size_t kLargestArrayBytes = std::size_t{1} << 30;

// Runs `allocate`, which makes arrays of `bytes` in all; false, with LastStatus OutOfMemory, when
// the memory is not to be had.
template <typename Allocate>
bool Allocated(std::size_t bytes, Allocate allocate) {
  if (bytes > kLargestArrayBytes) {
    LastStatus = GxOutOfMemory;
    return false;
  }
  try {
    allocate();
    return true;
  } catch (const std::bad_alloc&) {
  } catch (const std::length_error&) {
  }
  LastStatus = GxOutOfMemory;
  return false;
}

// A parallelogram given by its corners (a metafile's destination, a warp's target) is read as
// at least three points; false, with LastStatus InvalidParameter, for fewer.
inline bool ParallelogramInside(std::size_t count) {
  if (count >= 3) return true;
  LastStatus = GxInvalidParameter;
  return false;
}

// A run of `segments` curve segments from `offset` uses the points offset to offset + segments;
// false, with LastStatus InvalidParameter, when any of them lies outside `count` points.
inline bool SegmentsInside(std::size_t count, int offset, int segments) {
  const long long last = static_cast<long long>(offset) + segments;
  if (offset >= 0 && segments >= 0 && last < static_cast<long long>(count)) return true;
  LastStatus = GxInvalidParameter;
  return false;
}

// A bitmap whose pixels (at the format's bits per pixel, rows padded to four bytes, or the given
// stride) an int cannot count. GDI+ under Wine counts them in an int and, when that overflows,
// allocates a sliver of the bitmap it then reads and writes; a 32-bit process could not hold
// such a bitmap anyway. False, with LastStatus InvalidParameter, for one; sizes below one pixel
// are left for GDI+ to refuse.
inline bool BitmapSizeFits(long long width, long long height, int pixelFormat, long long stride = 0) {
  if (width <= 0 || height <= 0) return true;
  const long long bits = std::max((pixelFormat >> 8) & 0xFF, 1);
  const long long rowBytes = std::max((width * bits + 31) / 32 * 4, stride < 0 ? -stride : stride);
  if (rowBytes * height <= INT_MAX) return true;
  LastStatus = GxInvalidParameter;
  return false;
}

// A size or position given as a float, as the int GDI+ takes: cut toward zero. False, with
// LastStatus InvalidParameter, for NaN, an infinity or a number no int holds.
inline bool ToInt(float value, int& result) {
  const double cut = std::trunc(static_cast<double>(value));
  if (!(cut >= INT_MIN && cut <= INT_MAX)) {
    LastStatus = GxInvalidParameter;
    return false;
  }
  result = static_cast<int>(cut);
  return true;
}
