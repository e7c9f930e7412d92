#pragma once
// The one look at the live screen per capture: straight into the frozen surface, which holds the
// screen at 1:1 from then on.

#include <functional>

#include "gx/GxTypes.h"

class GxGraphics;

// Copies the virtual screen into `frozen`, a surface of its size, every pixel opaque.
// False when the copy failed; the surface then keeps its zero bytes (black).
bool TakeScreenSnapshot(GxGraphics& frozen);

// Where the overlay takes the screen from when it opens: the live screen, or a known picture that
// tests and the benchmark put here, either by filling the frozen surface themselves or as the
// bytes of an image file, which is decoded and drawn onto the surface at 1:1 (bytes that do not
// decode leave it black, as a failed copy does).
class ScreenSource {
 public:
  using Fill = std::function<bool(GxGraphics& frozen)>;
  using ImageFile = std::function<Bytes()>;

  ScreenSource(Fill fill) : fill_(std::move(fill)) {}  // NOLINT: a plain fill is a source
  ScreenSource& operator=(Fill fill);
  ScreenSource& operator=(ImageFile file);

  // Fills the frozen surface; false when it holds no screen.
  bool operator()(GxGraphics& frozen) const { return fill_ && fill_(frozen); }

 private:
  Fill fill_;
};

extern ScreenSource ScreenSnapshotSource;
