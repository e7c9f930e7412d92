#pragma once
// A GDI+ font family: a typeface name without size or style. Metrics are in design units.

#include <cstdint>
#include <string>

#include "gx/GxObject.h"

class GxFontCollection;

class GxFontFamily : public GxObject {
 public:
  GxFontFamily() = default;
  ~GxFontFamily() override;

  bool Delete();
  // No collection (or an empty one) looks the name up among the installed fonts.
  bool CreateFromName(const std::string& name, const GxFontCollection* collection = nullptr);
  bool CreateFromNameW(const std::wstring& name, const GxFontCollection* collection = nullptr);
  bool CreateGenericSansSerif();
  bool CreateGenericSerif();
  bool CreateGenericMonospace();
  // The target receives the copy and releases what it held before.
  bool Clone(GxFontFamily& target) const;
  // The family's name (at most 31 characters); empty on failure.
  std::string GetFamilyName() const;
  std::wstring GetFamilyNameW() const;
  bool IsStyleAvailable(int style) const;
  std::uint16_t GetEmHeight(int style) const;
  std::uint16_t GetCellAscent(int style) const;
  std::uint16_t GetCellDescent(int style) const;
  std::uint16_t GetLineSpacing(int style) const;

  bool IsValid() const { return Handle() != nullptr; }

 private:
  Gdiplus::GpFontFamily* Handle() const { return Native<Gdiplus::GpFontFamily>(); }
};
