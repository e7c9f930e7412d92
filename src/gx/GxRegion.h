#pragma once
// A GDI+ region: an area combined from rectangles, paths and other regions, for clipping, hit
// tests and measuring character ranges. Queries that take a graphics use its transform and
// resolution; GDI+ requires one for the bounds, emptiness and equality queries.

#include <vector>

#include "gx/GxObject.h"
#include "gx/GxTypes.h"

class GxGraphics;
class GxPath;

class GxRegion : public GxObject {
 public:
  GxRegion() = default;
  ~GxRegion() override;

  bool Delete();
  // An infinite region.
  bool Create();
  bool CreateFromRect(const GxRectF& rect);
  bool CreateFromRectI(const GxRect& rect);
  bool CreateFromPath(const GxPath& path);
  bool CreateFromHrgn(HRGN hrgn);
  // From the bytes of GetData; size defaults to all of them, and a size beyond them fails with
  // InvalidParameter.
  bool CreateFromData(const Bytes& bytes, OptInt size = {});
  // The target receives the copy and releases what it held before.
  bool Clone(GxRegion& target) const;
  bool MakeInfinite();
  bool MakeEmpty();

  // Combine modes are GDI+'s; the default intersects.
  bool CombineRect(const GxRectF& rect, Gdiplus::CombineMode mode = Gdiplus::CombineModeIntersect);
  bool CombineRectI(const GxRect& rect, Gdiplus::CombineMode mode = Gdiplus::CombineModeIntersect);
  bool CombineRegion(const GxRegion& region, Gdiplus::CombineMode mode = Gdiplus::CombineModeIntersect);
  bool CombinePath(const GxPath& path, Gdiplus::CombineMode mode = Gdiplus::CombineModeIntersect);
  bool Translate(float dx, float dy);
  bool TranslateI(int dx, int dy);
  // The matrix is a GDI+ matrix held by any wrapper.
  bool Transform(const GxObject& matrix);

  GxRectF GetBounds(const GxGraphics* graphics) const;
  GxRect GetBoundsI(const GxGraphics* graphics) const;
  UINT GetDataSize() const;
  // A zero-filled buffer of bufferSize bytes that GDI+ fills; sizeFilled (when given) receives
  // the number of bytes written. A size no memory can hold gives no bytes and OutOfMemory.
  Bytes GetData(UINT bufferSize, UINT* sizeFilled = nullptr) const;
  // A new GDI region that the caller owns (DeleteObject); null on failure.
  HRGN GetHRGN(const GxGraphics* graphics = nullptr) const;
  bool IsEmpty(const GxGraphics* graphics) const;
  bool IsInfinite(const GxGraphics* graphics) const;
  bool Equals(const GxRegion& region, const GxGraphics* graphics) const;
  bool IsVisiblePoint(const GxPointF& point, const GxGraphics* graphics = nullptr) const;
  bool IsVisiblePointI(const GxPoint& point, const GxGraphics* graphics = nullptr) const;
  bool IsVisibleRect(const GxRectF& rect, const GxGraphics* graphics = nullptr) const;
  bool IsVisibleRectI(const GxRect& rect, const GxGraphics* graphics = nullptr) const;

  // The region as horizontal bands of rectangles after the matrix is applied.
  int GetRegionScansCount(const GxObject* matrix) const;
  // Replaces rects by the scans and returns their count; 0 with rects left alone when the count
  // cannot be read.
  int GetRegionScans(const GxObject* matrix, std::vector<GxRectF>& rects) const;
  int GetRegionScansI(const GxObject* matrix, std::vector<GxRect>& rects) const;

  bool IsValid() const { return Handle() != nullptr; }

 private:
  Gdiplus::GpRegion* Handle() const { return Native<Gdiplus::GpRegion>(); }
};
