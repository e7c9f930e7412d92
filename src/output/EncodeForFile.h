#pragma once
// The selection encoded for a file, checked before anything is written: an encoder that reports
// a failure, or whose bytes do not decode to a picture of the selection's size, gives nothing.

#include <string>

#include "gx/GxTypes.h"
#include "output/OutputImage.h"

class GxBitmap;

// The selection as finishing and saving hand it out (OutputImage.h) in the format named by the
// GUID text; an empty text means BMP (and says so afterwards). Empty bytes on any failure. A JPEG
// is written at `jpegQuality` (1 to 100) when one is given, else at the encoder's own.
Bytes EncodeForFile(const OutputSource& source, std::string& formatGuidText, int jpegQuality = 0);
// The same for the selection's pixels already taken (OutputBitmap) into `crop`.
Bytes EncodeCropForFile(GxBitmap& crop, std::string& formatGuidText);
Bytes EncodeCropForFileAt(GxBitmap& crop, std::string& formatGuidText, int jpegQuality);
