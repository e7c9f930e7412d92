#include "gx/GxFont.h"

#include "gx/GdiOwners.h"
#include "gx/GxFontCollection.h"
#include "gx/GxFontFamily.h"
#include "gx/GxGraphics.h"
#include "gx/GxHandOver.h"

using namespace Gdiplus;

namespace {

GpGraphics* GraphicsOf(const GxGraphics* graphics) { return NativeOf<GpGraphics>(graphics); }

// Reads a GDI font's description; false when the object is not a readable font.
bool ReadLogFont(HGDIOBJ font, LOGFONTW& logFont) {
  return font && GetObjectW(font, sizeof(LOGFONTW), &logFont) != 0;
}

}  // namespace

GxFont::~GxFont() { Delete(); }

bool GxFont::Delete() {
  if (!Handle()) return false;
  const bool ok = GdipOk<GDIP(GdipDeleteFont)>(Handle());
  SetNativeHandle(nullptr);
  return ok;
}

bool GxFont::Create(const GxFontFamily& family, float emSize, int style, Unit unit) {
  if (Handle()) Delete();
  const bool ok =
      GdipOk<GDIP(GdipCreateFont)>(NativeOf<GpFontFamily>(family), emSize, style, unit, NativeSlot<GpFont>());
  SetNativeHandle(GetNativeHandle());
  return ok;
}

bool GxFont::CreateDefaultGuiFont() {
  if (Handle()) Delete();
  LOGFONTW logFont{};
  if (!ReadLogFont(GetStockObject(DEFAULT_GUI_FONT), logFont)) return false;
  ScreenDC screen;
  const bool ok = GdipOk<GDIP(GdipCreateFontFromLogfontW)>(screen.get(), &logFont, NativeSlot<GpFont>());
  SetNativeHandle(GetNativeHandle());
  return ok;
}

bool GxFont::CreateFromName(const std::string& familyName, float emSize, int style, Unit unit) {
  GxFontFamily family;
  if (Handle()) Delete();
  {
    const GxFontCollection installedFonts;
    family.CreateFromName(familyName, &installedFonts);
  }
  return CreateFromLookedUpFamily(family, emSize, style, unit);
}

bool GxFont::CreateFromNameW(const std::wstring& familyName, float emSize, int style, Unit unit) {
  GxFontFamily family;
  if (Handle()) Delete();
  {
    const GxFontCollection installedFonts;
    family.CreateFromNameW(familyName, &installedFonts);
  }
  return CreateFromLookedUpFamily(family, emSize, style, unit);
}

// The temporary family is released before returning; its status must not hide the font's.
bool GxFont::CreateFromLookedUpFamily(GxFontFamily& family, float emSize, int style, Unit unit) {
  const int status = Gdip<GDIP(GdipCreateFont)>(NativeOf<GpFontFamily>(family), emSize, style, unit,
                                                NativeSlot<GpFont>());
  SetNativeHandle(GetNativeHandle());
  family.Delete();
  LastStatus = status;
  return status == GxOk;
}

bool GxFont::CreateFromDC(HDC hdc) {
  if (Handle()) Delete();
  const bool ok = GdipOk<GDIP(GdipCreateFontFromDC)>(hdc, NativeSlot<GpFont>());
  SetNativeHandle(GetNativeHandle());
  return ok;
}

bool GxFont::CreateFromDCFont(HDC hdc, HFONT hfont) {
  LOGFONTW logFont{};
  const bool readable = hfont && ReadLogFont(hfont, logFont);
  return CreateFromLogFontW(hdc, readable ? &logFont : nullptr);
}

bool GxFont::CreateFromLogFont(HDC hdc, const LOGFONTA* logFont) { return CreateFromDCOrLogFont(hdc, logFont); }

bool GxFont::CreateFromLogFontW(HDC hdc, const LOGFONTW* logFont) {
  if (!logFont) return CreateFromDC(hdc);
  if (Handle()) Delete();
  const bool ok = GdipOk<GDIP(GdipCreateFontFromLogfontW)>(hdc, logFont, NativeSlot<GpFont>());
  SetNativeHandle(GetNativeHandle());
  return ok;
}

bool GxFont::CreateFromDCOrLogFont(HDC hdc, const LOGFONTA* logFont) {
  if (!logFont) return CreateFromDC(hdc);
  if (Handle()) Delete();
  const bool ok = GdipOk<GDIP(GdipCreateFontFromLogfontA)>(hdc, logFont, NativeSlot<GpFont>());
  SetNativeHandle(GetNativeHandle());
  return ok;
}

bool GxFont::Clone(GxFont& target) const {
  GpFont* copy = nullptr;
  const int status = Gdip<GDIP(GdipCloneFont)>(Handle(), &copy);
  return HandOver(target, copy, status);
}

bool GxFont::GetLogFont(const GxGraphics* graphics, Bytes& buffer) const {
  if (buffer.size() < sizeof(LOGFONTA)) buffer.resize(sizeof(LOGFONTA));
  return GdipOk<GDIP(GdipGetLogFontA)>(Handle(), GraphicsOf(graphics), reinterpret_cast<LOGFONTA*>(buffer.data()));
}

bool GxFont::GetLogFontW(const GxGraphics* graphics, Bytes& buffer) const {
  if (buffer.size() < sizeof(LOGFONTW)) buffer.resize(sizeof(LOGFONTW));
  return GdipOk<GDIP(GdipGetLogFontW)>(Handle(), GraphicsOf(graphics), reinterpret_cast<LOGFONTW*>(buffer.data()));
}

bool GxFont::GetFamily(GxFontFamily& target) const {
  GpFontFamily* family = nullptr;
  const int status = Gdip<GDIP(GdipGetFamily)>(Handle(), &family);
  return HandOver(target, family, status);
}

int GxFont::GetStyle() const {
  INT style = 0;
  Gdip<GDIP(GdipGetFontStyle)>(Handle(), &style);
  return style;
}

float GxFont::GetSize() const {
  REAL size = 0;
  Gdip<GDIP(GdipGetFontSize)>(Handle(), &size);
  return size;
}

Unit GxFont::GetUnit() const {
  Unit unit{};
  Gdip<GDIP(GdipGetFontUnit)>(Handle(), &unit);
  return unit;
}

float GxFont::GetHeight(const GxGraphics* graphics) const {
  REAL height = 0;
  Gdip<GDIP(GdipGetFontHeight)>(Handle(), GraphicsOf(graphics), &height);
  return height;
}

float GxFont::GetHeightGivenDpi(float dpi) const {
  REAL height = 0;
  Gdip<GDIP(GdipGetFontHeightGivenDPI)>(Handle(), dpi, &height);
  return height;
}
