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

Bytes EncodeForFile(const Bytes& screen, const ScreenRect& selection, std::string& formatGuidText) {
  const int width = selection.right - selection.left;
  const int height = selection.bottom - selection.top;
  int status = -1;
  Bytes encoded = CropAndEncode(screen, selection.left, selection.top, width, height, formatGuidText, &status);
  // Some encoders write a header and stop, yet answer Ok: only a picture that reads back counts.
  if (status != GxOk || encoded.empty() || !DecodesToSize(encoded, width, height)) return {};
  return encoded;
}
