#include "output/CropAndEncode.h"

#include "gx/GxBitmap.h"
#include "gx/GxGraphics.h"
#include "gx/GxImageAttributes.h"

Bytes CropAndEncode(const Bytes& image, int x, int y, int width, int height, std::string& formatGuidText,
                    int* encoderStatus) {
  GxBitmap crop;
  crop.Create(width, height, 0x0026200A);  // 32bppARGB, transparent black to start
  GxGraphics graphics;
  graphics.CreateFromImage(crop);
  GxBitmap source;
  source.LoadFromBytes(image, false);
  GxImageAttributes noAttributes;
  graphics.DrawImageRectRect(source, 0, 0, static_cast<float>(crop.GetWidth()), static_cast<float>(crop.GetHeight()),
                             static_cast<float>(x), static_cast<float>(y), static_cast<float>(width),
                             static_cast<float>(height), Gdiplus::UnitPixel, &noAttributes);
  if (formatGuidText.empty()) formatGuidText = source.GetRawFormat();
  graphics.Delete();  // the pixels must be complete before the encoder reads them
  return EncodeBitmap(crop, formatGuidText, encoderStatus);
}

Bytes EncodeBitmap(GxBitmap& bitmap, std::string& formatGuidText, int* encoderStatus,
                   const std::vector<EncoderParam>* parameters) {
  int ignored = 0;
  int& status = encoderStatus ? *encoderStatus : ignored;
  if (formatGuidText == kGifFormat) {
    // GIF holds 256 colours. Reduce them here, as the encoder would: some GDI+ builds write a
    // header and no image when handed 32-bit pixels.
    GxBitmap indexed;
    if (bitmap.CloneAreaI(GxRect{0, 0, bitmap.GetWidth(), bitmap.GetHeight()}, PixelFormat8bppIndexed, indexed)) {
      Bytes encoded = indexed.SaveToBytes(formatGuidText, true, nullptr);
      status = LastStatus;
      return encoded;
    }
  }
  Bytes encoded = bitmap.SaveToBytes(formatGuidText, true, parameters);
  status = LastStatus;
  return encoded;
}
