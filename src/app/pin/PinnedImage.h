#pragma once
// The picture a pin shows: the output of a capture (what finishing puts on the clipboard), copied
// into a surface of its own, so that it outlives the capture and holds nothing screen-sized.

#include <memory>

class GxGraphics;
struct OutputSource;

// Null when the selection is empty or the memory for it is missing.
std::unique_ptr<GxGraphics> PinnedImage(const OutputSource& source);
