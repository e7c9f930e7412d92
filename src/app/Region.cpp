#include "app/Region.h"

#include <utility>

namespace {

// A temporary region for one combine.
class RectRegion {
 public:
  explicit RectRegion(const RECT& rect) : region_(CreateRectRgnIndirect(&rect)) {}
  ~RectRegion() { DeleteObject(region_); }
  RectRegion(const RectRegion&) = delete;
  RectRegion& operator=(const RectRegion&) = delete;
  HRGN get() const { return region_; }

 private:
  HRGN region_;
};

}  // namespace

Region::Region() : region_(CreateRectRgn(0, 0, 0, 0)) {}

Region::Region(const RECT& rect) : region_(CreateRectRgnIndirect(&rect)) {}

Region::~Region() {
  if (region_) DeleteObject(region_);
}

Region::Region(Region&& other) noexcept : region_(std::exchange(other.region_, nullptr)) {}

Region& Region::operator=(Region&& other) noexcept {
  std::swap(region_, other.region_);
  return *this;
}

Region Region::Copy() const {
  Region copy;
  CombineRgn(copy.region_, region_, nullptr, RGN_COPY);
  return copy;
}

void Region::Combine(HRGN other, int mode) { CombineRgn(region_, region_, other, mode); }

void Region::Add(const Region& other) { Combine(other.region_, RGN_OR); }
void Region::Add(const RECT& rect) { Combine(RectRegion(rect).get(), RGN_OR); }
void Region::Remove(const Region& other) { Combine(other.region_, RGN_DIFF); }
void Region::Remove(const RECT& rect) { Combine(RectRegion(rect).get(), RGN_DIFF); }
void Region::IntersectWith(const Region& other) { Combine(other.region_, RGN_AND); }
void Region::Clear() { SetRectRgn(region_, 0, 0, 0, 0); }

bool Region::IsEmpty() const {
  RECT box;
  return GetRgnBox(region_, &box) == NULLREGION;
}

RECT Region::Bounds() const {
  RECT box{};
  if (GetRgnBox(region_, &box) == NULLREGION) box = RECT{};
  return box;
}

std::vector<RECT> Region::Rects() const {
  const DWORD size = GetRegionData(region_, 0, nullptr);
  if (size == 0) return {};
  std::vector<unsigned char> buffer(size);
  auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
  if (GetRegionData(region_, size, data) == 0) return {};
  const RECT* first = reinterpret_cast<const RECT*>(data->Buffer);
  return std::vector<RECT>(first, first + data->rdh.nCount);
}
