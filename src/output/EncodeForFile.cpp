#include "output/EncodeForFile.h"

#include "gx/GxBitmap.h"
#include "gx/GxObject.h"
#include "output/CropAndEncode.h"

namespace {

bool DecodesToSize(const Bytes& encoded, int width, int height) {
  GxBitmap decoded;
  return decoded.LoadFromBytes(encoded) && decoded.GetWidth() == width && decoded.GetHeight() == height;
}

// GDI+'s quality parameter: one long, 0 to 100.
std::vector<EncoderParam> QualityParameter(int quality) {
  EncoderParam parameter;
  parameter.guid = "{1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB}";
  parameter.valueCount = 1;
  parameter.valueType = 4;  // EncoderParameterValueTypeLong
  const auto value = static_cast<std::uint32_t>(quality);
  parameter.values = Bytes{static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                           static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
  return {parameter};
}

}  // namespace

Bytes EncodeForFile(const OutputSource& source, std::string& formatGuidText, int jpegQuality) {
  GxBitmap crop;
  if (!OutputBitmap(source, crop)) return {};
  return EncodeCropForFileAt(crop, formatGuidText, jpegQuality);
}

Bytes EncodeCropForFile(GxBitmap& crop, std::string& formatGuidText) {
  return EncodeCropForFileAt(crop, formatGuidText, 0);
}

Bytes EncodeCropForFileAt(GxBitmap& crop, std::string& formatGuidText, int jpegQuality) {
  if (formatGuidText.empty()) formatGuidText = kBmpFormat;
  int status = -1;
  const std::vector<EncoderParam> quality =
      formatGuidText == kJpegFormat && jpegQuality > 0 ? QualityParameter(jpegQuality) : std::vector<EncoderParam>();
  const Bytes encoded = EncodeBitmap(crop, formatGuidText, &status, quality.empty() ? nullptr : &quality);
  // Some encoders write a header and stop, yet answer Ok: only a picture that reads back counts.
  if (status != GxOk || encoded.empty() || !DecodesToSize(encoded, crop.GetWidth(), crop.GetHeight())) return {};
  return encoded;
}
