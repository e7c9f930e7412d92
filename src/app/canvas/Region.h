#pragma once
// A set of pixels as a GDI region: unions, differences and intersections of rectangles, and the
// disjoint rectangles that make it up.

#include <windows.h>

#include <vector>

#include "gx/UniqueHandle.h"

class Region {
 public:
  Region();
  explicit Region(const RECT& rect);

  Region Copy() const;
  void Add(const Region& other);
  void Add(const RECT& rect);
  void Remove(const Region& other);
  void Remove(const RECT& rect);
  void IntersectWith(const Region& other);
  void Clear();

  bool IsEmpty() const;
  // The smallest rectangle holding every pixel; empty (all zero) for an empty region.
  RECT Bounds() const;
  // Disjoint rectangles whose union is the region.
  std::vector<RECT> Rects() const;

 private:
  void Combine(HRGN other, int mode);

  GdiObject<HRGN> region_;
};
