#pragma once

#include <string>
#include <vector>

#include "gx/GxTypes.h"
#include "gx/ImageEncoders.h"

// Cuts (x, y, width, height) out of an encoded image and encodes it in the format named by the
// GUID text; an empty text becomes the source's own format (and stays so for the caller).
// Empty bytes when no encoder matches or the rectangle is empty. The encoder's own status goes
// to encoderStatus when given: some bytes may come out of an encoder that failed.
Bytes CropAndEncode(const Bytes& image, int x, int y, int width, int height, std::string& formatGuidText,
                    int* encoderStatus = nullptr);

class GxBitmap;
// Encodes a bitmap in the format named by the GUID text, as CropAndEncode encodes its crop (a GIF
// gets 256 colours first), with the encoder's parameters when given. Empty bytes when no encoder
// matches.
Bytes EncodeBitmap(GxBitmap& bitmap, std::string& formatGuidText, int* encoderStatus = nullptr,
                   const std::vector<EncoderParam>* parameters = nullptr);
