#pragma once
// Value records and byte arrays shared by the whole graphics layer. The records have the
// memory layout of their GDI+ counterparts, so arrays of them can be handed to the flat API.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// An optional argument whose default depends on the receiving object (a surface's own size).
using OptInt = std::optional<int>;

struct GxPointF {
  float x = 0, y = 0;
};
struct GxPoint {
  std::int32_t x = 0, y = 0;
};
struct GxRectF {
  float x = 0, y = 0, width = 0, height = 0;
};
struct GxRect {
  std::int32_t x = 0, y = 0, width = 0, height = 0;
};
struct GxSizeF {
  float width = 0, height = 0;
};
struct GxCharRange {
  std::int32_t first = 0, length = 0;
};

// Copies records into a contiguous native array for one call and back out afterwards, so that
// calls which change points in place update the caller's records. An empty array passes null.
template <typename Native, typename Record, typename Call>
auto WithNativeArray(std::vector<Record>& records, Call call) {
  static_assert(sizeof(Native) == sizeof(Record), "record and native layouts differ");
  std::vector<Native> native(records.size());
  for (std::size_t i = 0; i < records.size(); ++i)
    native[i] = *reinterpret_cast<const Native*>(&records[i]);
  auto result = call(native.empty() ? nullptr : native.data(), static_cast<int>(native.size()));
  for (std::size_t i = 0; i < records.size(); ++i)
    records[i] = *reinterpret_cast<const Record*>(&native[i]);
  return result;
}
