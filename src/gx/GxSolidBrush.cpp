#include "gx/GxSolidBrush.h"

#include "gx/GxHandOver.h"

using namespace Gdiplus;

GxSolidBrush::~GxSolidBrush() { Delete(); }

bool GxSolidBrush::Delete() {
  if (!Handle()) return false;
  const bool ok = GdipOk<GDIP(GdipDeleteBrush)>(Handle());
  SetNativeHandle(nullptr);
  return ok;
}

bool GxSolidBrush::Clone(GxSolidBrush& target) const {
  GpBrush* copy = nullptr;
  const int status = Gdip<GDIP(GdipCloneBrush)>(Handle(), &copy);
  return HandOver(target, copy, status);
}

BrushType GxSolidBrush::GetBrushType() const {
  BrushType type{};
  Gdip<GDIP(GdipGetBrushType)>(Handle(), &type);
  return type;
}

bool GxSolidBrush::Create(ARGB argb) {
  if (Handle()) Delete();
  const bool ok = GdipOk<GDIP(GdipCreateSolidFill)>(argb, NativeSlot<GpSolidFill>());
  SetNativeHandle(GetNativeHandle());
  return ok;
}

bool GxSolidBrush::SetColor(ARGB argb) { return GdipOk<GDIP(GdipSetSolidFillColor)>(Handle(), argb); }

ARGB GxSolidBrush::GetColor() const {
  ARGB argb = 0;
  Gdip<GDIP(GdipGetSolidFillColor)>(Handle(), &argb);
  return argb;
}
