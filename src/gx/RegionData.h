#pragma once
// Whether bytes are a region as GdipGetRegionData writes it: a header, then a tree of combine
// nodes over rectangles, paths, empty and infinite leaves. GDI+ under Wine reads such bytes
// trusting every count and type in them, and a node it cannot read leaves the half-built region
// to a clean-up that follows pointers never set: damaged bytes, or bytes cut short, end the
// process. Checked before the bytes reach it.

#include <cstddef>
#include <cstdint>

bool RegionDataReadable(const std::uint8_t* data, std::size_t length);
