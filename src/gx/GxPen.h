#pragma once
// A GDI+ pen for outlines. Widths are in the pen's unit; colours are 0xAARRGGBB.

#include <vector>

#include "gx/GxObject.h"
#include "gx/GxTypes.h"

class GxSolidBrush;

class GxPen : public GxObject {
 public:
  GxPen() = default;
  ~GxPen() override;

  bool Delete();
  bool Create(Gdiplus::ARGB argb, float width, Gdiplus::Unit unit = Gdiplus::UnitWorld);
  bool CreateFromBrush(const GxSolidBrush& brush, float width, Gdiplus::Unit unit = Gdiplus::UnitWorld);
  // The target receives the copy and releases what it held before.
  bool Clone(GxPen& target) const;

  float GetWidth() const;
  bool SetWidth(float width);
  // The unit travels as a number: SetUnit cuts it toward zero, GetUnit returns what GDI+ reports.
  float GetUnit() const;
  bool SetUnit(float unit);

  bool SetLineCap(Gdiplus::LineCap startCap, Gdiplus::LineCap endCap, Gdiplus::DashCap dashCap);
  bool SetLineCap2(Gdiplus::LineCap startCap, Gdiplus::LineCap endCap, Gdiplus::DashCap dashCap);
  bool SetStartCap(Gdiplus::LineCap cap);
  bool SetEndCap(Gdiplus::LineCap cap);
  bool SetDashCap(Gdiplus::DashCap cap);
  Gdiplus::LineCap GetStartCap() const;
  Gdiplus::LineCap GetEndCap() const;
  Gdiplus::DashCap GetDashCap() const;
  Gdiplus::DashCap GetDashCap2() const;
  bool SetLineJoin(Gdiplus::LineJoin join);
  Gdiplus::LineJoin GetLineJoin() const;

  // Custom caps are GDI+ custom line caps held by any wrapper. The Get operations give the target
  // a new cap it then owns; a cap it held before is deleted.
  bool SetCustomStartCap(const GxObject& cap);
  bool GetCustomStartCap(GxObject& target) const;
  bool SetCustomEndCap(const GxObject& cap);
  bool GetCustomEndCap(GxObject& target) const;

  bool SetMiterLimit(float limit);
  float GetMiterLimit() const;
  bool SetAlignment(Gdiplus::PenAlignment alignment);
  Gdiplus::PenAlignment GetAlignment() const;

  // Matrices are GDI+ matrices held by any wrapper; GetTransform writes into the given matrix.
  bool SetTransform(const GxObject& matrix);
  bool GetTransform(GxObject& matrix) const;
  bool ResetTransform();
  bool MultiplyTransform(const GxObject& matrix, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool RotateTransform(float angle, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  // Turns (or scales) about a point; true when the last of the three calls succeeded.
  bool RotateTransformAt(float angle, const GxPointF& center, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool ScaleTransform(float sx, float sy, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool ScaleTransformAt(float sx, float sy, const GxPointF& center,
                        Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool TranslateTransform(float dx, float dy, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);

  Gdiplus::ARGB GetColor() const;
  bool SetColor(Gdiplus::ARGB argb);
  bool SetBrush(const GxSolidBrush& brush);
  // The target receives a new brush and releases what it held before.
  bool GetBrush(GxSolidBrush& target) const;
  Gdiplus::PenType GetPenType() const;

  bool SetDashStyle(Gdiplus::DashStyle style);
  Gdiplus::DashStyle GetDashStyle() const;
  float GetDashOffset() const;
  bool SetDashOffset(float offset);
  // Replaces the pattern by exactly as many values as the pen has and returns that count;
  // 0 with the pattern left alone when the count cannot be read.
  int GetDashPattern(std::vector<float>& pattern) const;
  bool SetDashPattern(const std::vector<float>& pattern);
  bool SetCompoundArray(const std::vector<float>& values);
  int GetCompoundArray(std::vector<float>& values) const;

  bool IsValid() const { return Handle() != nullptr; }

 private:
  Gdiplus::GpPen* Handle() const { return Native<Gdiplus::GpPen>(); }
};
