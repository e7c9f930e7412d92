#include "output/EncodeForFile.h"

#include "gx/GxBitmap.h"
#include "gx/GxObject.h"
#include "output/CropAndEncode.h"

namespace {

bool DecodesToSize(const Bytes& encoded, int width, int height) {
  GxBitmap decoded;
  return decoded.LoadFromBytes(encoded) && decoded.GetWidth() == width && decoded.GetHeight() == height;
}

}  // namespace

Bytes EncodeForFile(const OutputSource& source, std::string& formatGuidText) {
  GxBitmap crop;
  if (!OutputBitmap(source, crop)) return {};
  return EncodeCropForFile(crop, formatGuidText);
}

Bytes EncodeCropForFile(GxBitmap& crop, std::string& formatGuidText) {
  if (formatGuidText.empty()) formatGuidText = kBmpFormat;
  int status = -1;
  const Bytes encoded = EncodeBitmap(crop, formatGuidText, &status);
  // Some encoders write a header and stop, yet answer Ok: only a picture that reads back counts.
  if (status != GxOk || encoded.empty() || !DecodesToSize(encoded, crop.GetWidth(), crop.GetHeight())) return {};
  return encoded;
}
