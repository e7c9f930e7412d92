#include "gx/GxStringFormat.h"

#include "gx/GxHandOver.h"
#include "gx/GxOutputArray.h"

using namespace Gdiplus;

GxStringFormat::~GxStringFormat() { Delete(); }

bool GxStringFormat::Delete() {
  if (!Handle()) return false;
  const bool ok = GdipOk<GDIP(GdipDeleteStringFormat)>(Handle());
  SetNativeHandle(nullptr);
  return ok;
}

bool GxStringFormat::Create(int formatFlags, LANGID language) {
  if (Handle()) Delete();
  const bool ok = GdipOk<GDIP(GdipCreateStringFormat)>(formatFlags, language, NativeSlot<GpStringFormat>());
  SetNativeHandle(GetNativeHandle());
  return ok;
}

// GDI+ hands out one generic format for the whole process: a wrapper takes a copy of its own, so
// that setting its alignment or flags cannot change the text that any other code draws with it.
bool GxStringFormat::CreateGeneric(bool typographic) {
  if (Handle()) Delete();
  GpStringFormat* shared = nullptr;
  const int status = typographic ? Gdip<GDIP(GdipStringFormatGetGenericTypographic)>(&shared)
                                 : Gdip<GDIP(GdipStringFormatGetGenericDefault)>(&shared);
  if (status != GxOk) return false;
  const bool ok = GdipOk<GDIP(GdipCloneStringFormat)>(shared, NativeSlot<GpStringFormat>());
  SetNativeHandle(GetNativeHandle());
  return ok;
}

bool GxStringFormat::CreateGenericDefault() { return CreateGeneric(false); }
bool GxStringFormat::CreateGenericTypographic() { return CreateGeneric(true); }

bool GxStringFormat::Clone(GxStringFormat& target) const {
  GpStringFormat* copy = nullptr;
  const int status = Gdip<GDIP(GdipCloneStringFormat)>(Handle(), &copy);
  return HandOver(target, copy, status);
}

bool GxStringFormat::SetFormatFlags(int flags) { return GdipOk<GDIP(GdipSetStringFormatFlags)>(Handle(), flags); }

int GxStringFormat::GetFormatFlags() const {
  INT flags = 0;
  Gdip<GDIP(GdipGetStringFormatFlags)>(Handle(), &flags);
  return flags;
}

bool GxStringFormat::SetAlignment(StringAlignment align) {
  return GdipOk<GDIP(GdipSetStringFormatAlign)>(Handle(), align);
}

StringAlignment GxStringFormat::GetAlignment() const {
  StringAlignment align{};
  Gdip<GDIP(GdipGetStringFormatAlign)>(Handle(), &align);
  return align;
}

bool GxStringFormat::SetLineAlignment(StringAlignment align) {
  return GdipOk<GDIP(GdipSetStringFormatLineAlign)>(Handle(), align);
}

StringAlignment GxStringFormat::GetLineAlignment() const {
  StringAlignment align{};
  Gdip<GDIP(GdipGetStringFormatLineAlign)>(Handle(), &align);
  return align;
}

bool GxStringFormat::SetTrimming(StringTrimming trimming) {
  return GdipOk<GDIP(GdipSetStringFormatTrimming)>(Handle(), trimming);
}

StringTrimming GxStringFormat::GetTrimming() const {
  StringTrimming trimming{};
  Gdip<GDIP(GdipGetStringFormatTrimming)>(Handle(), &trimming);
  return trimming;
}

bool GxStringFormat::SetHotkeyPrefix(HotkeyPrefix prefix) {
  return GdipOk<GDIP(GdipSetStringFormatHotkeyPrefix)>(Handle(), static_cast<INT>(prefix));
}

HotkeyPrefix GxStringFormat::GetHotkeyPrefix() const {
  INT prefix = 0;
  Gdip<GDIP(GdipGetStringFormatHotkeyPrefix)>(Handle(), &prefix);
  return static_cast<HotkeyPrefix>(prefix);
}

bool GxStringFormat::SetTabStops(float firstTabOffset, const std::vector<float>& tabStops) {
  return GdipOk<GDIP(GdipSetStringFormatTabStops)>(Handle(), firstTabOffset, static_cast<int>(tabStops.size()),
                                                    tabStops.data());
}

int GxStringFormat::GetTabStops(float& firstTabOffset, std::vector<float>& tabStops) const {
  return ReadOutputArray(
      tabStops, [&](int* count) { return Gdip<GDIP(GdipGetStringFormatTabStopCount)>(Handle(), count); },
      [&](float* data, int count) {
        return Gdip<GDIP(GdipGetStringFormatTabStops)>(Handle(), count, &firstTabOffset, data);
      });
}

bool GxStringFormat::SetDigitSubstitution(StringDigitSubstitute substitute, LANGID language) {
  return GdipOk<GDIP(GdipSetStringFormatDigitSubstitution)>(Handle(), language, substitute);
}

bool GxStringFormat::GetDigitSubstitution(StringDigitSubstitute& substitute, LANGID& language) const {
  return GdipOk<GDIP(GdipGetStringFormatDigitSubstitution)>(Handle(), &language, &substitute);
}

bool GxStringFormat::SetMeasurableCharacterRanges(std::vector<GxCharRange>& ranges) {
  return WithNativeArray<CharacterRange>(ranges, [&](CharacterRange* data, int count) {
    return GdipOk<GDIP(GdipSetStringFormatMeasurableCharacterRanges)>(Handle(), count, data);
  });
}

int GxStringFormat::GetMeasurableCharacterRangeCount() const {
  INT count = 0;
  Gdip<GDIP(GdipGetStringFormatMeasurableCharacterRangeCount)>(Handle(), &count);
  return count;
}
