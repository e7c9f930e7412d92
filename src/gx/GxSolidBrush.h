#pragma once
// A GDI+ solid brush for fills. The general brush operations (Delete, Clone, GetBrushType) and
// the solid ones share the one handle.

#include "gx/GxObject.h"

class GxSolidBrush : public GxObject {
 public:
  GxSolidBrush() = default;
  ~GxSolidBrush() override;

  bool Delete();
  // The target receives the copy and releases what it held before.
  bool Clone(GxSolidBrush& target) const;
  Gdiplus::BrushType GetBrushType() const;
  bool IsValid() const { return Handle() != nullptr; }

  bool Create(Gdiplus::ARGB argb);
  bool SetColor(Gdiplus::ARGB argb);
  Gdiplus::ARGB GetColor() const;

 private:
  Gdiplus::GpSolidFill* Handle() const { return Native<Gdiplus::GpSolidFill>(); }
};
