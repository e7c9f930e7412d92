#pragma once

#include "gx/GxObject.h"

// Operations are added by the owner of this class.
class GxFontCollection : public GxObject {
 public:
  GxFontCollection() = default;
};
