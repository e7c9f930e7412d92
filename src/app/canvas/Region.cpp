#include "app/canvas/Region.h"


Region::Region() : region_(CreateRectRgn(0, 0, 0, 0)) {}

Region::Region(const RECT& rect) : region_(CreateRectRgnIndirect(&rect)) {}

Region Region::Copy() const {
  Region copy;
  CombineRgn(copy.region_.get(), region_.get(), nullptr, RGN_COPY);
  return copy;
}

void Region::Combine(HRGN other, int mode) { CombineRgn(region_.get(), region_.get(), other, mode); }

void Region::Add(const Region& other) { Combine(other.region_.get(), RGN_OR); }
void Region::Add(const RECT& rect) { Combine(GdiObject<HRGN>(CreateRectRgnIndirect(&rect)).get(), RGN_OR); }
void Region::Remove(const Region& other) { Combine(other.region_.get(), RGN_DIFF); }
void Region::Remove(const RECT& rect) { Combine(GdiObject<HRGN>(CreateRectRgnIndirect(&rect)).get(), RGN_DIFF); }
void Region::IntersectWith(const Region& other) { Combine(other.region_.get(), RGN_AND); }
void Region::Clear() { SetRectRgn(region_.get(), 0, 0, 0, 0); }

bool Region::IsEmpty() const {
  RECT box;
  return GetRgnBox(region_.get(), &box) == NULLREGION;
}

RECT Region::Bounds() const {
  RECT box{};
  if (GetRgnBox(region_.get(), &box) == NULLREGION) box = RECT{};
  return box;
}

std::vector<RECT> Region::Rects() const {
  const DWORD size = GetRegionData(region_.get(), 0, nullptr);
  if (size == 0) return {};
  std::vector<unsigned char> buffer(size);
  auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
  if (GetRegionData(region_.get(), size, data) == 0) return {};
  const RECT* first = reinterpret_cast<const RECT*>(data->Buffer);
  return std::vector<RECT>(first, first + data->rdh.nCount);
}
