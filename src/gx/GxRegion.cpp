#include "gx/GxRegion.h"

#include "gx/GxArgumentGuards.h"
#include "gx/GxGraphics.h"
#include "gx/GxHandOver.h"
#include "gx/GxNativeRecord.h"
#include "gx/GxPath.h"
#include "gx/RegionData.h"

using namespace Gdiplus;

namespace {

GpMatrix* MatrixOf(const GxObject* matrix) { return NativeOf<GpMatrix>(matrix); }
GpGraphics* GraphicsOf(const GxGraphics* graphics) { return NativeOf<GpGraphics>(graphics); }

template <auto CountEntry, auto ScansEntry, typename Record>
int ReadScans(GpRegion* region, const GxObject* matrix, std::vector<Record>& rects) {
  UINT count = 0;
  if (Gdip<CountEntry>(region, &count, MatrixOf(matrix)) != GxOk) return 0;
  rects.assign(count, Record{});
  INT filled = static_cast<INT>(count);
  using Native = typename GxNativeRecord<Record>::type;
  WithNativeArray<Native>(rects, [&](Native* data, int) { return Gdip<ScansEntry>(region, data, &filled, MatrixOf(matrix)); });
  return filled;
}

// GDI+ under Wine takes a GDI region rectangle by rectangle, in time that grows faster than their
// count: 8000 take it seconds, 16000 half a minute, and one of 65536 (a large ellipse, scan by
// scan) minutes. A region of more is more than the layer takes; a null or unknown handle is
// left for GDI+ to refuse.
constexpr DWORD kMostHrgnRectangles = 8192;
bool HrgnRectanglesFit(HRGN hrgn) {
  const DWORD bytes = hrgn ? GetRegionData(hrgn, 0, nullptr) : 0;
  return bytes <= sizeof(RGNDATAHEADER) + kMostHrgnRectangles * sizeof(RECT);
}

}  // namespace

GxRegion::~GxRegion() { Delete(); }

bool GxRegion::Delete() {
  if (!Handle()) return false;
  const bool ok = GdipOk<GDIP(GdipDeleteRegion)>(Handle());
  SetNativeHandle(nullptr);
  return ok;
}

bool GxRegion::Create() {
  if (Handle()) Delete();
  const bool ok = GdipOk<GDIP(GdipCreateRegion)>(NativeSlot<GpRegion>());
  SetNativeHandle(GetNativeHandle());
  return ok;
}

bool GxRegion::CreateFromRect(const GxRectF& rect) {
  if (Handle()) Delete();
  const bool ok = GdipOk<GDIP(GdipCreateRegionRect)>(AsNative(rect), NativeSlot<GpRegion>());
  SetNativeHandle(GetNativeHandle());
  return ok;
}

bool GxRegion::CreateFromRectI(const GxRect& rect) {
  if (Handle()) Delete();
  const bool ok = GdipOk<GDIP(GdipCreateRegionRectI)>(AsNative(rect), NativeSlot<GpRegion>());
  SetNativeHandle(GetNativeHandle());
  return ok;
}

bool GxRegion::CreateFromPath(const GxPath& path) {
  if (Handle()) Delete();
  const bool ok = GdipOk<GDIP(GdipCreateRegionPath)>(NativeOf<GpPath>(path), NativeSlot<GpRegion>());
  SetNativeHandle(GetNativeHandle());
  return ok;
}

bool GxRegion::CreateFromHrgn(HRGN hrgn) {
  if (Handle()) Delete();
  bool ok = false;
  if (!HrgnRectanglesFit(hrgn)) {
    LastStatus = GxOutOfMemory;
  } else {
    ok = GdipOk<GDIP(GdipCreateRegionHrgn)>(hrgn, NativeSlot<GpRegion>());
  }
  SetNativeHandle(GetNativeHandle());
  return ok;
}

bool GxRegion::CreateFromData(const Bytes& bytes, OptInt size) {
  if (Handle()) Delete();
  const int length = size.value_or(static_cast<int>(bytes.size()));
  bool ok = false;
  if (length < 0 || static_cast<std::size_t>(length) > bytes.size()) {
    LastStatus = GxInvalidParameter;  // GDI+ would read past the end of the bytes
  } else if (!RegionDataReadable(bytes.data(), static_cast<std::size_t>(length))) {
    LastStatus = GxInvalidParameter;
  } else {
    ok = GdipOk<GDIP(GdipCreateRegionRgnData)>(bytes.empty() ? nullptr : bytes.data(), length,
                                                NativeSlot<GpRegion>());
  }
  SetNativeHandle(GetNativeHandle());
  return ok;
}

bool GxRegion::Clone(GxRegion& target) const {
  GpRegion* copy = nullptr;
  const int status = Gdip<GDIP(GdipCloneRegion)>(Handle(), &copy);
  return HandOver(target, copy, status);
}

bool GxRegion::MakeInfinite() { return GdipOk<GDIP(GdipSetInfinite)>(Handle()); }
bool GxRegion::MakeEmpty() { return GdipOk<GDIP(GdipSetEmpty)>(Handle()); }

bool GxRegion::CombineRect(const GxRectF& rect, CombineMode mode) {
  return GdipOk<GDIP(GdipCombineRegionRect)>(Handle(), AsNative(rect), mode);
}

bool GxRegion::CombineRectI(const GxRect& rect, CombineMode mode) {
  return GdipOk<GDIP(GdipCombineRegionRectI)>(Handle(), AsNative(rect), mode);
}

bool GxRegion::CombineRegion(const GxRegion& region, CombineMode mode) {
  return GdipOk<GDIP(GdipCombineRegionRegion)>(Handle(), region.Handle(), mode);
}

bool GxRegion::CombinePath(const GxPath& path, CombineMode mode) {
  return GdipOk<GDIP(GdipCombineRegionPath)>(Handle(), NativeOf<GpPath>(path), mode);
}

bool GxRegion::Translate(float dx, float dy) { return GdipOk<GDIP(GdipTranslateRegion)>(Handle(), dx, dy); }
bool GxRegion::TranslateI(int dx, int dy) { return GdipOk<GDIP(GdipTranslateRegionI)>(Handle(), dx, dy); }

bool GxRegion::Transform(const GxObject& matrix) {
  return GdipOk<GDIP(GdipTransformRegion)>(Handle(), MatrixOf(&matrix));
}

GxRectF GxRegion::GetBounds(const GxGraphics* graphics) const {
  GxRectF bounds;
  Gdip<GDIP(GdipGetRegionBounds)>(Handle(), GraphicsOf(graphics), reinterpret_cast<RectF*>(&bounds));
  return bounds;
}

GxRect GxRegion::GetBoundsI(const GxGraphics* graphics) const {
  GxRect bounds;
  Gdip<GDIP(GdipGetRegionBoundsI)>(Handle(), GraphicsOf(graphics), reinterpret_cast<Rect*>(&bounds));
  return bounds;
}

UINT GxRegion::GetDataSize() const {
  UINT size = 0;
  Gdip<GDIP(GdipGetRegionDataSize)>(Handle(), &size);
  return size;
}

Bytes GxRegion::GetData(UINT bufferSize, UINT* sizeFilled) const {
  Bytes buffer;
  if (!Allocated(bufferSize, [&] { buffer.assign(bufferSize, 0); })) return Bytes();
  Gdip<GDIP(GdipGetRegionData)>(Handle(), buffer.empty() ? nullptr : buffer.data(), bufferSize, sizeFilled);
  return buffer;
}

HRGN GxRegion::GetHRGN(const GxGraphics* graphics) const {
  HRGN hrgn = nullptr;
  Gdip<GDIP(GdipGetRegionHRgn)>(Handle(), GraphicsOf(graphics), &hrgn);
  return hrgn;
}

bool GxRegion::IsEmpty(const GxGraphics* graphics) const {
  BOOL empty = FALSE;
  Gdip<GDIP(GdipIsEmptyRegion)>(Handle(), GraphicsOf(graphics), &empty);
  return empty != FALSE;
}

bool GxRegion::IsInfinite(const GxGraphics* graphics) const {
  BOOL infinite = FALSE;
  Gdip<GDIP(GdipIsInfiniteRegion)>(Handle(), GraphicsOf(graphics), &infinite);
  return infinite != FALSE;
}

bool GxRegion::Equals(const GxRegion& region, const GxGraphics* graphics) const {
  BOOL equal = FALSE;
  Gdip<GDIP(GdipIsEqualRegion)>(Handle(), region.Handle(), GraphicsOf(graphics), &equal);
  return equal != FALSE;
}

bool GxRegion::IsVisiblePoint(const GxPointF& point, const GxGraphics* graphics) const {
  BOOL visible = FALSE;
  Gdip<GDIP(GdipIsVisibleRegionPoint)>(Handle(), point.x, point.y, GraphicsOf(graphics), &visible);
  return visible != FALSE;
}

bool GxRegion::IsVisiblePointI(const GxPoint& point, const GxGraphics* graphics) const {
  BOOL visible = FALSE;
  Gdip<GDIP(GdipIsVisibleRegionPointI)>(Handle(), point.x, point.y, GraphicsOf(graphics), &visible);
  return visible != FALSE;
}

bool GxRegion::IsVisibleRect(const GxRectF& rect, const GxGraphics* graphics) const {
  BOOL visible = FALSE;
  Gdip<GDIP(GdipIsVisibleRegionRect)>(Handle(), rect.x, rect.y, rect.width, rect.height, GraphicsOf(graphics),
                                       &visible);
  return visible != FALSE;
}

bool GxRegion::IsVisibleRectI(const GxRect& rect, const GxGraphics* graphics) const {
  BOOL visible = FALSE;
  Gdip<GDIP(GdipIsVisibleRegionRectI)>(Handle(), rect.x, rect.y, rect.width, rect.height, GraphicsOf(graphics),
                                        &visible);
  return visible != FALSE;
}

int GxRegion::GetRegionScansCount(const GxObject* matrix) const {
  UINT count = 0;
  Gdip<GDIP(GdipGetRegionScansCount)>(Handle(), &count, MatrixOf(matrix));
  return static_cast<int>(count);
}

int GxRegion::GetRegionScans(const GxObject* matrix, std::vector<GxRectF>& rects) const {
  return ReadScans<GDIP(GdipGetRegionScansCount), GDIP(GdipGetRegionScans)>(Handle(), matrix, rects);
}

int GxRegion::GetRegionScansI(const GxObject* matrix, std::vector<GxRect>& rects) const {
  return ReadScans<GDIP(GdipGetRegionScansCount), GDIP(GdipGetRegionScansI)>(Handle(), matrix, rects);
}
