#pragma once

#include "gx/GxObject.h"

// Operations are added by the owner of this class.
class GxFontFamily : public GxObject {
 public:
  GxFontFamily() = default;
};
