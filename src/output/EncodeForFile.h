#pragma once
// The selection encoded for a file, checked before anything is written: an encoder that reports
// a failure, or whose bytes do not decode to a picture of the selection's size, gives nothing.

#include <string>

#include "app/CaptureState.h"
#include "gx/GxTypes.h"

// Empty bytes on any failure. formatGuidText as for CropAndEncode.
Bytes EncodeForFile(const Bytes& screen, const ScreenRect& selection, std::string& formatGuidText);
