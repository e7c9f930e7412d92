#pragma once
// Point types as GDI+ defines a path: each figure opens with a start point, Bezier points come
// in threes after the point they continue, and a closed figure is followed by a new start. GDI+
// under Wine takes any bytes and later reads past the points to finish a Bezier (a DrawPath
// that ends the process) or never ends flattening one.

#include <cstddef>
#include <cstdint>

#include "gx/GxTypes.h"

bool PathTypesValid(const std::uint8_t* types, std::size_t count);
inline bool PathTypesValid(const Bytes& types) { return PathTypesValid(types.data(), types.size()); }
