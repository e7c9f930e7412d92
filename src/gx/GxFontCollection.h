#pragma once
// A GDI+ font collection. The wrapper never releases its collection: the installed-fonts
// collection belongs to GDI+. An empty wrapper stands for the installed fonts wherever a
// collection is optional.

#include <vector>

#include "gx/GxFontFamily.h"
#include "gx/GxObject.h"

class GxFontCollection : public GxObject {
 public:
  GxFontCollection() = default;

  // Takes GDI+'s collection of the installed fonts, so that their families can be listed.
  bool UseInstalledFonts();
  int GetFamilyCount() const;
  // Replaces `families` by `count` families, filled from the collection, and returns how many
  // were found (0 on failure). Each family is the wrapper's own copy, released with it. A count
  // below 1 fails with InvalidParameter, one no memory can hold with OutOfMemory; either leaves
  // `families` as it was.
  int GetFamilies(int count, std::vector<GxFontFamily>& families) const;

  bool IsValid() const { return Handle() != nullptr; }

 private:
  Gdiplus::GpFontCollection* Handle() const { return Native<Gdiplus::GpFontCollection>(); }
};
