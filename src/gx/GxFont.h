#pragma once
// A GDI+ font: a family at a size and style. Sizes are in the font's unit.

#include <string>

#include "gx/GxObject.h"
#include "gx/GxTypes.h"

class GxFontFamily;
class GxGraphics;

class GxFont : public GxObject {
 public:
  GxFont() = default;
  ~GxFont() override;

  bool Delete();
  bool Create(const GxFontFamily& family, float emSize, int style = Gdiplus::FontStyleRegular,
              Gdiplus::Unit unit = Gdiplus::UnitWorld);
  // The system's default GUI font, as the screen shows it. False, with LastStatus left alone,
  // when the stock font cannot be read.
  bool CreateDefaultGuiFont();
  // A family of the installed fonts by name; there is no fallback family: an unknown name fails
  // with InvalidParameter and leaves the font empty.
  bool CreateFromName(const std::string& familyName, float emSize, int style = Gdiplus::FontStyleRegular,
                      Gdiplus::Unit unit = Gdiplus::UnitWorld);
  bool CreateFromNameW(const std::wstring& familyName, float emSize, int style = Gdiplus::FontStyleRegular,
                       Gdiplus::Unit unit = Gdiplus::UnitWorld);
  // The font selected into the device context.
  bool CreateFromDC(HDC hdc);
  // The given GDI font, or the DC's own when hfont is null or cannot be read.
  bool CreateFromDCFont(HDC hdc, HFONT hfont);
  // Without a LOGFONT these fall back to the DC's font.
  bool CreateFromLogFont(HDC hdc, const LOGFONTA* logFont);
  bool CreateFromLogFontW(HDC hdc, const LOGFONTW* logFont);
  // The target receives the copy and releases what it held before.
  bool Clone(GxFont& target) const;
  // Fill the buffer with one LOGFONTA (LOGFONTW); a smaller buffer is first grown to that size.
  bool GetLogFont(const GxGraphics* graphics, Bytes& buffer) const;
  bool GetLogFontW(const GxGraphics* graphics, Bytes& buffer) const;
  // The target receives the font's family and releases what it held before.
  bool GetFamily(GxFontFamily& target) const;
  int GetStyle() const;
  float GetSize() const;
  Gdiplus::Unit GetUnit() const;
  float GetHeight(const GxGraphics* graphics) const;
  float GetHeightGivenDpi(float dpi) const;

  bool IsValid() const { return Handle() != nullptr; }

 private:
  Gdiplus::GpFont* Handle() const { return Native<Gdiplus::GpFont>(); }
  // Creates the font from a family already looked up; LastStatus and the result are the font's.
  bool CreateFromLookedUpFamily(GxFontFamily& family, float emSize, int style, Gdiplus::Unit unit);
  bool CreateFromDCOrLogFont(HDC hdc, const LOGFONTA* logFont);
};
