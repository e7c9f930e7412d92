#pragma once
// GDI+ image attributes: colour adjustments applied when an image is drawn. Each adjustment is
// kept per colour-adjust category (default, bitmap, brush, pen, text); `type` picks it.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "gx/GxImageRecords.h"
#include "gx/GxObject.h"

// One colour replacement of a remap table.
struct GxColorMap {
  std::uint32_t oldColor = 0;
  std::uint32_t newColor = 0;
};

// A 5 x 5 colour matrix, row by row.
using GxColorMatrix = std::array<float, 25>;

class GxImageAttributes : public GxObject {
 public:
  using AdjustType = Gdiplus::ColorAdjustType;
  static constexpr AdjustType kDefault = Gdiplus::ColorAdjustTypeDefault;

  GxImageAttributes() = default;
  ~GxImageAttributes() override;

  bool Delete();
  bool Create();
  // The copy goes to the target, which should be empty (a handle it holds is not released).
  bool Clone(GxImageAttributes& target) const;
  bool SetToIdentity(AdjustType type = kDefault);
  bool Reset(AdjustType type = kDefault);
  bool SetThreshold(float threshold, AdjustType type = kDefault);
  bool ClearThreshold(AdjustType type = kDefault);
  bool SetNoOp(AdjustType type = kDefault);
  bool ClearNoOp(AdjustType type = kDefault);
  bool SetGamma(float gamma, AdjustType type = kDefault);
  bool ClearGamma(AdjustType type = kDefault);
  bool SetColorKey(std::uint32_t colorLow, std::uint32_t colorHigh, AdjustType type = kDefault);
  bool ClearColorKey(AdjustType type = kDefault);
  bool SetOutputChannel(Gdiplus::ColorChannelFlags channelFlags, AdjustType type = kDefault);
  bool ClearOutputChannel(AdjustType type = kDefault);
  bool SetOutputChannelColorProfile(const std::string& profileFileName, AdjustType type = kDefault);
  bool ClearOutputChannelColorProfile(AdjustType type = kDefault);
  // The records are copied to GDI+ and back, as for every record array.
  bool SetRemapTable(std::vector<GxColorMap>& colorMap, AdjustType type = kDefault);
  bool ClearRemapTable(AdjustType type = kDefault);
  bool SetWrapMode(Gdiplus::WrapMode wrapMode, std::uint32_t argb = 0);
  // The palette's entries are adjusted in place.
  bool GetAdjustedPalette(GxPalette& palette, AdjustType type = kDefault) const;
  bool SetColorMatrix(const GxColorMatrix& colorMatrix, const GxColorMatrix* grayMatrix = nullptr,
                      Gdiplus::ColorMatrixFlags flags = Gdiplus::ColorMatrixFlagsDefault, AdjustType type = kDefault);
  bool SetColorMatrices(const Gdiplus::ColorMatrix& colorMatrix, const Gdiplus::ColorMatrix* grayMatrix = nullptr,
                        Gdiplus::ColorMatrixFlags flags = Gdiplus::ColorMatrixFlagsDefault, AdjustType type = kDefault);
  bool ClearColorMatrix(AdjustType type = kDefault);
  bool IsValid() const { return GetNativeHandle() != nullptr; }

 private:
  Gdiplus::GpImageAttributes* Attributes() const { return Native<Gdiplus::GpImageAttributes>(); }
};
