#pragma once

#include "gx/GxImage.h"

// Operations are added by the owner of this class.
class GxBitmap : public GxImage {
 public:
  GxBitmap() = default;
};
