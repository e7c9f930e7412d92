#pragma once
// The GDI+ record that each value record stands for, so arrays of records can be marshalled
// without naming the native type at every call.

#include "gx/GxObject.h"
#include "gx/GxTypes.h"

template <typename Record>
struct GxNativeRecord;
template <>
struct GxNativeRecord<GxPointF> {
  using type = Gdiplus::PointF;
};
template <>
struct GxNativeRecord<GxPoint> {
  using type = Gdiplus::Point;
};
template <>
struct GxNativeRecord<GxRectF> {
  using type = Gdiplus::RectF;
};
template <>
struct GxNativeRecord<GxRect> {
  using type = Gdiplus::Rect;
};

// Calls Entry(object, data, count, extra...) with the records as one native array, copied back
// afterwards; true when GDI+ answers Ok.
template <auto Entry, typename Object, typename Record, typename... Extra>
bool GdipOkWithArray(Object* object, std::vector<Record>& records, Extra... extra) {
  using Native = typename GxNativeRecord<Record>::type;
  return WithNativeArray<Native>(
      records, [&](Native* data, int count) { return GdipOk<Entry>(object, data, count, extra...); });
}

// The record's bytes as the native record GDI+ reads.
template <typename Record>
const typename GxNativeRecord<Record>::type* AsNative(const Record& record) {
  static_assert(sizeof(Record) == sizeof(typename GxNativeRecord<Record>::type), "record and native layouts differ");
  return reinterpret_cast<const typename GxNativeRecord<Record>::type*>(&record);
}
