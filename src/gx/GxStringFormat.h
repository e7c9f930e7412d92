#pragma once
// A GDI+ string format: text layout for drawing and measuring strings. An empty format passed
// to a text operation means GDI+'s default layout.

#include <vector>

#include "gx/GxObject.h"
#include "gx/GxTypes.h"

class GxStringFormat : public GxObject {
 public:
  GxStringFormat() = default;
  ~GxStringFormat() override;

  bool Delete();
  bool Create(int formatFlags = 0, LANGID language = 0);
  // A copy of GDI+'s generic format, the wrapper's own to change.
  bool CreateGenericDefault();
  bool CreateGenericTypographic();
  // The target receives the copy and releases what it held before.
  bool Clone(GxStringFormat& target) const;

  bool SetFormatFlags(int flags);
  int GetFormatFlags() const;
  bool SetAlignment(Gdiplus::StringAlignment align);
  Gdiplus::StringAlignment GetAlignment() const;
  bool SetLineAlignment(Gdiplus::StringAlignment align);
  Gdiplus::StringAlignment GetLineAlignment() const;
  bool SetTrimming(Gdiplus::StringTrimming trimming);
  Gdiplus::StringTrimming GetTrimming() const;
  bool SetHotkeyPrefix(Gdiplus::HotkeyPrefix prefix);
  Gdiplus::HotkeyPrefix GetHotkeyPrefix() const;

  bool SetTabStops(float firstTabOffset, const std::vector<float>& tabStops);
  // Replaces tabStops by exactly as many values as the format has, writes the first tab offset
  // and returns the count; 0 with both left alone when the count cannot be read.
  int GetTabStops(float& firstTabOffset, std::vector<float>& tabStops) const;
  bool SetDigitSubstitution(Gdiplus::StringDigitSubstitute substitute, LANGID language = 0);
  bool GetDigitSubstitution(Gdiplus::StringDigitSubstitute& substitute, LANGID& language) const;

  // The ranges that MeasureCharacterRanges of GxGraphics measures, one region each.
  bool SetMeasurableCharacterRanges(std::vector<GxCharRange>& ranges);
  int GetMeasurableCharacterRangeCount() const;

  bool IsValid() const { return Handle() != nullptr; }

 private:
  Gdiplus::GpStringFormat* Handle() const { return Native<Gdiplus::GpStringFormat>(); }
  bool CreateGeneric(bool typographic);
};
