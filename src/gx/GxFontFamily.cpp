#include "gx/GxFontFamily.h"

#include "gx/GxFontCollection.h"
#include "gx/GxHandOver.h"
#include "gx/GxText.h"

using namespace Gdiplus;

namespace {

GpFontCollection* CollectionOf(const GxFontCollection* collection) {
  return NativeOf<GpFontCollection>(collection);
}

}  // namespace

GxFontFamily::~GxFontFamily() { Delete(); }

bool GxFontFamily::Delete() {
  if (!Handle()) return false;
  const bool ok = GdipOk<GDIP(GdipDeleteFontFamily)>(Handle());
  SetNativeHandle(nullptr);
  return ok;
}

bool GxFontFamily::CreateFromName(const std::string& name, const GxFontCollection* collection) {
  return CreateFromNameW(Utf8ToWide(name), collection);
}

bool GxFontFamily::CreateFromNameW(const std::wstring& name, const GxFontCollection* collection) {
  if (Handle()) Delete();
  const bool ok = GdipOk<GDIP(GdipCreateFontFamilyFromName)>(WideOrNull(name), CollectionOf(collection),
                                                             NativeSlot<GpFontFamily>());
  SetNativeHandle(GetNativeHandle());
  return ok;
}

bool GxFontFamily::CreateGenericSansSerif() {
  if (Handle()) Delete();
  const bool ok = GdipOk<GDIP(GdipGetGenericFontFamilySansSerif)>(NativeSlot<GpFontFamily>());
  SetNativeHandle(GetNativeHandle());
  return ok;
}

bool GxFontFamily::CreateGenericSerif() {
  if (Handle()) Delete();
  const bool ok = GdipOk<GDIP(GdipGetGenericFontFamilySerif)>(NativeSlot<GpFontFamily>());
  SetNativeHandle(GetNativeHandle());
  return ok;
}

bool GxFontFamily::CreateGenericMonospace() {
  if (Handle()) Delete();
  const bool ok = GdipOk<GDIP(GdipGetGenericFontFamilyMonospace)>(NativeSlot<GpFontFamily>());
  SetNativeHandle(GetNativeHandle());
  return ok;
}

bool GxFontFamily::Clone(GxFontFamily& target) const {
  GpFontFamily* copy = nullptr;
  const int status = Gdip<GDIP(GdipCloneFontFamily)>(Handle(), &copy);
  return HandOver(target, copy, status);
}

std::string GxFontFamily::GetFamilyName() const { return WideToUtf8(GetFamilyNameW().c_str()); }

std::wstring GxFontFamily::GetFamilyNameW() const {
  WCHAR name[LF_FACESIZE] = {};
  Gdip<GDIP(GdipGetFamilyName)>(Handle(), name, LANGID{0});
  name[LF_FACESIZE - 1] = L'\0';  // a full buffer still ends inside it
  return std::wstring(name);
}

bool GxFontFamily::IsStyleAvailable(int style) const {
  BOOL available = FALSE;
  Gdip<GDIP(GdipIsStyleAvailable)>(Handle(), style, &available);
  return available != FALSE;
}

std::uint16_t GxFontFamily::GetEmHeight(int style) const {
  UINT16 height = 0;
  Gdip<GDIP(GdipGetEmHeight)>(Handle(), style, &height);
  return height;
}

std::uint16_t GxFontFamily::GetCellAscent(int style) const {
  UINT16 ascent = 0;
  Gdip<GDIP(GdipGetCellAscent)>(Handle(), style, &ascent);
  return ascent;
}

std::uint16_t GxFontFamily::GetCellDescent(int style) const {
  UINT16 descent = 0;
  Gdip<GDIP(GdipGetCellDescent)>(Handle(), style, &descent);
  return descent;
}

std::uint16_t GxFontFamily::GetLineSpacing(int style) const {
  UINT16 spacing = 0;
  Gdip<GDIP(GdipGetLineSpacing)>(Handle(), style, &spacing);
  return spacing;
}
