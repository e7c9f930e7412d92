#pragma once
// The base of every frame, the frozen screen under the dimming layer, computed from the frozen
// surface's pixels instead of blended from two screen-sized layers.
//
// The plain way blends the frozen layer at constant alpha 255 (a copy of all four bytes) and then
// a layer of opaque black at constant alpha 128. Blending one colour at a constant alpha works on
// each byte of a pixel by itself, so what it makes of a byte depends only on the byte's place and
// value. That is asked of the platform's own blend once, on a row of 256 pixels, and kept as four
// tables: the dimmed bytes are then exactly the platform's, rounding included, without a black
// layer of the screen's size.

#include <windows.h>

#include <cstdint>

struct SurfaceBits;

// The dimmed form of one pixel (blue, green, red, alpha from the lowest byte up).
std::uint32_t DimmedPixel(std::uint32_t pixel);

// The canvas over `rect` becomes the base: the frozen pixels, dimmed.
void PaintDimmedFrozen(const SurfaceBits& canvas, const SurfaceBits& frozen, const RECT& rect);
// The canvas over `rect` shows the frozen screen as it is.
void CopyFrozen(const SurfaceBits& canvas, const SurfaceBits& frozen, const RECT& rect);
// Whatever the canvas shows over `rect`, dimmed where it is.
void DimInPlace(const SurfaceBits& canvas, const RECT& rect);
