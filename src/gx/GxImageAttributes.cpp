#include "gx/GxImageAttributes.h"

#include "gx/GxHandOver.h"
#include "gx/GxText.h"
#include "gx/GxTypes.h"

using Gdiplus::GpImageAttributes;

namespace {

static_assert(sizeof(GxColorMatrix) == sizeof(Gdiplus::ColorMatrix), "colour matrix layout");

const Gdiplus::ColorMatrix* MatrixData(const GxColorMatrix* matrix) {
  return reinterpret_cast<const Gdiplus::ColorMatrix*>(matrix ? matrix->data() : nullptr);
}

}  // namespace

GxImageAttributes::~GxImageAttributes() { Delete(); }

bool GxImageAttributes::Delete() {
  if (!GetNativeHandle()) return false;
  const int status = Gdip<GDIP(GdipDisposeImageAttributes)>(Attributes());
  SetNativeHandle(nullptr);
  return status == GxOk;
}

bool GxImageAttributes::Create() {
  if (GetNativeHandle()) Delete();
  const int status = Gdip<GDIP(GdipCreateImageAttributes)>(NativeSlot<GpImageAttributes>());
  SetNativeHandle(GetNativeHandle());
  return status == GxOk;
}

bool GxImageAttributes::Clone(GxImageAttributes& target) const {
  GpImageAttributes* copy = nullptr;
  const int status = Gdip<GDIP(GdipCloneImageAttributes)>(Attributes(), &copy);
  return HandOver(target, copy, status);
}

bool GxImageAttributes::SetToIdentity(AdjustType type) {
  return GdipOk<GDIP(GdipSetImageAttributesToIdentity)>(Attributes(), type);
}

bool GxImageAttributes::Reset(AdjustType type) {
  return GdipOk<GDIP(GdipResetImageAttributes)>(Attributes(), type);
}

bool GxImageAttributes::SetThreshold(float threshold, AdjustType type) {
  return GdipOk<GDIP(GdipSetImageAttributesThreshold)>(Attributes(), type, TRUE, threshold);
}

bool GxImageAttributes::ClearThreshold(AdjustType type) {
  return GdipOk<GDIP(GdipSetImageAttributesThreshold)>(Attributes(), type, FALSE, 0.0f);
}

bool GxImageAttributes::SetNoOp(AdjustType type) {
  return GdipOk<GDIP(GdipSetImageAttributesNoOp)>(Attributes(), type, TRUE);
}

bool GxImageAttributes::ClearNoOp(AdjustType type) {
  return GdipOk<GDIP(GdipSetImageAttributesNoOp)>(Attributes(), type, FALSE);
}

bool GxImageAttributes::SetGamma(float gamma, AdjustType type) {
  return GdipOk<GDIP(GdipSetImageAttributesGamma)>(Attributes(), type, TRUE, gamma);
}

bool GxImageAttributes::ClearGamma(AdjustType type) {
  return GdipOk<GDIP(GdipSetImageAttributesGamma)>(Attributes(), type, FALSE, 0.0f);
}

bool GxImageAttributes::SetColorKey(std::uint32_t colorLow, std::uint32_t colorHigh, AdjustType type) {
  return GdipOk<GDIP(GdipSetImageAttributesColorKeys)>(Attributes(), type, TRUE, colorLow, colorHigh);
}

bool GxImageAttributes::ClearColorKey(AdjustType type) {
  return GdipOk<GDIP(GdipSetImageAttributesColorKeys)>(Attributes(), type, FALSE, 0u, 0u);
}

bool GxImageAttributes::SetOutputChannel(Gdiplus::ColorChannelFlags channelFlags, AdjustType type) {
  return GdipOk<GDIP(GdipSetImageAttributesOutputChannel)>(Attributes(), type, TRUE, channelFlags);
}

bool GxImageAttributes::ClearOutputChannel(AdjustType type) {
  return GdipOk<GDIP(GdipSetImageAttributesOutputChannel)>(Attributes(), type, FALSE,
                                                          static_cast<Gdiplus::ColorChannelFlags>(0));
}

bool GxImageAttributes::SetOutputChannelColorProfile(const std::string& profileFileName, AdjustType type) {
  const std::wstring name = Utf8ToWide(profileFileName);
  return GdipOk<GDIP(GdipSetImageAttributesOutputChannelColorProfile)>(Attributes(), type, TRUE, name.c_str());
}

bool GxImageAttributes::ClearOutputChannelColorProfile(AdjustType type) {
  return GdipOk<GDIP(GdipSetImageAttributesOutputChannelColorProfile)>(Attributes(), type, FALSE, nullptr);
}

bool GxImageAttributes::SetRemapTable(std::vector<GxColorMap>& colorMap, AdjustType type) {
  return WithNativeArray<Gdiplus::ColorMap>(colorMap, [&](Gdiplus::ColorMap* map, int count) {
    return GdipOk<GDIP(GdipSetImageAttributesRemapTable)>(Attributes(), type, TRUE, static_cast<UINT>(count), map);
  });
}

bool GxImageAttributes::ClearRemapTable(AdjustType type) {
  return GdipOk<GDIP(GdipSetImageAttributesRemapTable)>(Attributes(), type, FALSE, 0u, nullptr);
}

bool GxImageAttributes::SetWrapMode(Gdiplus::WrapMode wrapMode, std::uint32_t argb) {
  return GdipOk<GDIP(GdipSetImageAttributesWrapMode)>(Attributes(), wrapMode, static_cast<Gdiplus::ARGB>(argb), FALSE);
}

bool GxImageAttributes::GetAdjustedPalette(GxPalette& palette, AdjustType type) const {
  NativePalette native(palette);
  if (!GdipOk<GDIP(GdipGetImageAttributesAdjustedPalette)>(Attributes(), native.Get(), type)) return false;
  palette = native.ToPalette();
  return true;
}

bool GxImageAttributes::SetColorMatrix(const GxColorMatrix& colorMatrix, const GxColorMatrix* grayMatrix,
                                       Gdiplus::ColorMatrixFlags flags, AdjustType type) {
  return GdipOk<GDIP(GdipSetImageAttributesColorMatrix)>(Attributes(), type, TRUE, MatrixData(&colorMatrix),
                                                         MatrixData(grayMatrix), flags);
}

bool GxImageAttributes::SetColorMatrices(const Gdiplus::ColorMatrix& colorMatrix, const Gdiplus::ColorMatrix* grayMatrix,
                                         Gdiplus::ColorMatrixFlags flags, AdjustType type) {
  return GdipOk<GDIP(GdipSetImageAttributesColorMatrix)>(Attributes(), type, TRUE, &colorMatrix, grayMatrix, flags);
}

bool GxImageAttributes::ClearColorMatrix(AdjustType type) {
  return GdipOk<GDIP(GdipSetImageAttributesColorMatrix)>(Attributes(), type, FALSE, nullptr, nullptr,
                                                         Gdiplus::ColorMatrixFlagsDefault);
}
