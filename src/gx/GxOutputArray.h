#pragma once
// Number arrays that GDI+ fills (dash patterns, compound arrays, tab stops): ask for the count,
// then hand GDI+ a zero-filled array of exactly that size. The caller's array is replaced only
// once the count is known, so a failed count query leaves it as it was.

#include <vector>

#include "gx/GxObject.h"

// countQuery(int*) and fill(float*, int) each make one flat call and return its status.
template <typename CountQuery, typename Fill>
int ReadOutputArray(std::vector<float>& values, CountQuery countQuery, Fill fill) {
  int count = 0;
  if (countQuery(&count) != GxOk) return 0;
  if (count < 0) count = 0;  // never trust a count with the size of an allocation
  values.assign(static_cast<std::size_t>(count), 0.0f);
  fill(values.data(), count);
  return count;
}
