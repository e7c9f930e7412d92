#pragma once
// A mosaic or a blur being dragged out is drawn again on every mouse move, and redacting its
// whole rectangle each time would cost the rectangle, however little the move changed it. Yet a
// redacted pixel depends only on the picture within a short reach of it (a blur's passes, a
// mosaic's cell) and on those edges of the rectangle that lie within that reach. So between two
// rectangles of the same drag, what lies farther than the reach from every edge that moved keeps
// its value, and only the strips along the moved edges are redacted again, each from a block
// that reaches as far past the strip as the filter looks.

#include <optional>

#include "annotate/PixelBlock.h"
#include "annotate/Shape.h"

class RedactionCache {
 public:
  // The redaction's rectangle, cut to the picture, redacted: pixel for pixel what PictureUnder
  // and Redact make of it. The picture below must stay the same until Forget (a new drag).
  const PixelBlock& Redacted(const Redaction& redaction, const PictureBelow& below);
  void Forget() { last_.reset(); }

 private:
  bool Continues(const Redaction& redaction, const PictureBelow& below) const;
  void RedactAfresh(const Redaction& redaction, const PictureBelow& below);

  std::optional<Redaction> last_;
  PictureBelow below_{};
  PixelBlock block_;
};
