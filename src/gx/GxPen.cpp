#include "gx/GxPen.h"

#include <cmath>
#include <limits>

#include "gx/GxHandOver.h"
#include "gx/GxOutputArray.h"
#include "gx/GxSolidBrush.h"

using namespace Gdiplus;

namespace {

GpBrush* BrushOf(const GxSolidBrush& brush) { return NativeOf<GpBrush>(brush); }
GpMatrix* MatrixOf(const GxObject& matrix) { return NativeOf<GpMatrix>(matrix); }
GpCustomLineCap* CapOf(const GxObject& cap) { return NativeOf<GpCustomLineCap>(cap); }

// A unit given as a number, cut toward zero. A number no int can hold becomes an invalid unit
// for GDI+ to refuse, instead of an undefined conversion.
Unit UnitFromNumber(float unit) {
  const double cut = std::trunc(static_cast<double>(unit));
  if (!(cut >= std::numeric_limits<int>::min() && cut <= std::numeric_limits<int>::max()))
    return static_cast<Unit>(-1);
  return static_cast<Unit>(static_cast<int>(cut));
}

}  // namespace

GxPen::~GxPen() { Delete(); }

bool GxPen::Delete() {
  if (!Handle()) return false;
  const bool ok = GdipOk<GDIP(GdipDeletePen)>(Handle());
  SetNativeHandle(nullptr);
  return ok;
}

bool GxPen::Create(ARGB argb, float width, Unit unit) {
  if (Handle()) Delete();
  const bool ok = GdipOk<GDIP(GdipCreatePen1)>(argb, width, unit, NativeSlot<GpPen>());
  SetNativeHandle(GetNativeHandle());
  return ok;
}

bool GxPen::CreateFromBrush(const GxSolidBrush& brush, float width, Unit unit) {
  if (Handle()) Delete();
  const bool ok = GdipOk<GDIP(GdipCreatePen2)>(BrushOf(brush), width, unit, NativeSlot<GpPen>());
  SetNativeHandle(GetNativeHandle());
  return ok;
}

bool GxPen::Clone(GxPen& target) const {
  GpPen* copy = nullptr;
  const int status = Gdip<GDIP(GdipClonePen)>(Handle(), &copy);
  return HandOver(target, copy, status);
}

float GxPen::GetWidth() const {
  float width = 0;
  Gdip<GDIP(GdipGetPenWidth)>(Handle(), &width);
  return width;
}

bool GxPen::SetWidth(float width) { return GdipOk<GDIP(GdipSetPenWidth)>(Handle(), width); }

float GxPen::GetUnit() const {
  Unit unit{};
  Gdip<GDIP(GdipGetPenUnit)>(Handle(), &unit);
  return static_cast<float>(unit);
}

bool GxPen::SetUnit(float unit) { return GdipOk<GDIP(GdipSetPenUnit)>(Handle(), UnitFromNumber(unit)); }

bool GxPen::SetLineCap(LineCap startCap, LineCap endCap, DashCap dashCap) {
  return GdipOk<GDIP(GdipSetPenLineCap197819)>(Handle(), startCap, endCap, dashCap);
}

bool GxPen::SetLineCap2(LineCap startCap, LineCap endCap, DashCap dashCap) {
  return SetLineCap(startCap, endCap, dashCap);
}

bool GxPen::SetStartCap(LineCap cap) { return GdipOk<GDIP(GdipSetPenStartCap)>(Handle(), cap); }
bool GxPen::SetEndCap(LineCap cap) { return GdipOk<GDIP(GdipSetPenEndCap)>(Handle(), cap); }
bool GxPen::SetDashCap(DashCap cap) { return GdipOk<GDIP(GdipSetPenDashCap197819)>(Handle(), cap); }

LineCap GxPen::GetStartCap() const {
  LineCap cap{};
  Gdip<GDIP(GdipGetPenStartCap)>(Handle(), &cap);
  return cap;
}

LineCap GxPen::GetEndCap() const {
  LineCap cap{};
  Gdip<GDIP(GdipGetPenEndCap)>(Handle(), &cap);
  return cap;
}

DashCap GxPen::GetDashCap() const {
  DashCap cap{};
  Gdip<GDIP(GdipGetPenDashCap197819)>(Handle(), &cap);
  return cap;
}

DashCap GxPen::GetDashCap2() const { return GetDashCap(); }

bool GxPen::SetLineJoin(LineJoin join) { return GdipOk<GDIP(GdipSetPenLineJoin)>(Handle(), join); }

LineJoin GxPen::GetLineJoin() const {
  LineJoin join{};
  Gdip<GDIP(GdipGetPenLineJoin)>(Handle(), &join);
  return join;
}

bool GxPen::SetCustomStartCap(const GxObject& cap) {
  return GdipOk<GDIP(GdipSetPenCustomStartCap)>(Handle(), CapOf(cap));
}

bool GxPen::GetCustomStartCap(GxObject& target) const {
  GpCustomLineCap* cap = nullptr;
  const int status = Gdip<GDIP(GdipGetPenCustomStartCap)>(Handle(), &cap);
  return HandOverNative<GDIP(GdipDeleteCustomLineCap)>(target, cap, status);
}

bool GxPen::SetCustomEndCap(const GxObject& cap) {
  return GdipOk<GDIP(GdipSetPenCustomEndCap)>(Handle(), CapOf(cap));
}

bool GxPen::GetCustomEndCap(GxObject& target) const {
  GpCustomLineCap* cap = nullptr;
  const int status = Gdip<GDIP(GdipGetPenCustomEndCap)>(Handle(), &cap);
  return HandOverNative<GDIP(GdipDeleteCustomLineCap)>(target, cap, status);
}

bool GxPen::SetMiterLimit(float limit) { return GdipOk<GDIP(GdipSetPenMiterLimit)>(Handle(), limit); }

float GxPen::GetMiterLimit() const {
  float limit = 0;
  Gdip<GDIP(GdipGetPenMiterLimit)>(Handle(), &limit);
  return limit;
}

bool GxPen::SetAlignment(PenAlignment alignment) { return GdipOk<GDIP(GdipSetPenMode)>(Handle(), alignment); }

PenAlignment GxPen::GetAlignment() const {
  PenAlignment alignment{};
  Gdip<GDIP(GdipGetPenMode)>(Handle(), &alignment);
  return alignment;
}

bool GxPen::SetTransform(const GxObject& matrix) {
  return GdipOk<GDIP(GdipSetPenTransform)>(Handle(), MatrixOf(matrix));
}

bool GxPen::GetTransform(GxObject& matrix) const {
  return GdipOk<GDIP(GdipGetPenTransform)>(Handle(), MatrixOf(matrix));
}

bool GxPen::ResetTransform() { return GdipOk<GDIP(GdipResetPenTransform)>(Handle()); }

bool GxPen::MultiplyTransform(const GxObject& matrix, MatrixOrder order) {
  return GdipOk<GDIP(GdipMultiplyPenTransform)>(Handle(), MatrixOf(matrix), order);
}

bool GxPen::RotateTransform(float angle, MatrixOrder order) {
  return GdipOk<GDIP(GdipRotatePenTransform)>(Handle(), angle, order);
}

// Appended operations act after the current transform, prepended ones before it, so the move
// to the centre and back swap places between the two orders.
bool GxPen::RotateTransformAt(float angle, const GxPointF& center, MatrixOrder order) {
  const float sign = order == MatrixOrderAppend ? 1.0f : -1.0f;
  TranslateTransform(-sign * center.x, -sign * center.y, order);
  RotateTransform(angle, order);
  return TranslateTransform(sign * center.x, sign * center.y, order);
}

bool GxPen::ScaleTransform(float sx, float sy, MatrixOrder order) {
  return GdipOk<GDIP(GdipScalePenTransform)>(Handle(), sx, sy, order);
}

bool GxPen::ScaleTransformAt(float sx, float sy, const GxPointF& center, MatrixOrder order) {
  const float sign = order == MatrixOrderAppend ? 1.0f : -1.0f;
  TranslateTransform(-sign * center.x, -sign * center.y, order);
  ScaleTransform(sx, sy, order);
  return TranslateTransform(sign * center.x, sign * center.y, order);
}

bool GxPen::TranslateTransform(float dx, float dy, MatrixOrder order) {
  return GdipOk<GDIP(GdipTranslatePenTransform)>(Handle(), dx, dy, order);
}

ARGB GxPen::GetColor() const {
  ARGB argb = 0;
  Gdip<GDIP(GdipGetPenColor)>(Handle(), &argb);
  return argb;
}

bool GxPen::SetColor(ARGB argb) { return GdipOk<GDIP(GdipSetPenColor)>(Handle(), argb); }

bool GxPen::SetBrush(const GxSolidBrush& brush) { return GdipOk<GDIP(GdipSetPenBrushFill)>(Handle(), BrushOf(brush)); }

bool GxPen::GetBrush(GxSolidBrush& target) const {
  GpBrush* brush = nullptr;
  const int status = Gdip<GDIP(GdipGetPenBrushFill)>(Handle(), &brush);
  return HandOver(target, brush, status);
}

PenType GxPen::GetPenType() const {
  PenType type{};
  Gdip<GDIP(GdipGetPenFillType)>(Handle(), &type);
  return type;
}

bool GxPen::SetDashStyle(DashStyle style) { return GdipOk<GDIP(GdipSetPenDashStyle)>(Handle(), style); }

DashStyle GxPen::GetDashStyle() const {
  DashStyle style{};
  Gdip<GDIP(GdipGetPenDashStyle)>(Handle(), &style);
  return style;
}

float GxPen::GetDashOffset() const {
  float offset = 0;
  Gdip<GDIP(GdipGetPenDashOffset)>(Handle(), &offset);
  return offset;
}

bool GxPen::SetDashOffset(float offset) { return GdipOk<GDIP(GdipSetPenDashOffset)>(Handle(), offset); }

int GxPen::GetDashPattern(std::vector<float>& pattern) const {
  return ReadOutputArray(
      pattern, [&](int* count) { return Gdip<GDIP(GdipGetPenDashCount)>(Handle(), count); },
      [&](float* data, int count) { return Gdip<GDIP(GdipGetPenDashArray)>(Handle(), data, count); });
}

bool GxPen::SetDashPattern(const std::vector<float>& pattern) {
  return GdipOk<GDIP(GdipSetPenDashArray)>(Handle(), pattern.data(), static_cast<int>(pattern.size()));
}

bool GxPen::SetCompoundArray(const std::vector<float>& values) {
  return GdipOk<GDIP(GdipSetPenCompoundArray)>(Handle(), values.data(), static_cast<int>(values.size()));
}

int GxPen::GetCompoundArray(std::vector<float>& values) const {
  return ReadOutputArray(
      values, [&](int* count) { return Gdip<GDIP(GdipGetPenCompoundCount)>(Handle(), count); },
      [&](float* data, int count) { return Gdip<GDIP(GdipGetPenCompoundArray)>(Handle(), data, count); });
}
