#pragma once

#include "gx/GxObject.h"

// Operations are added by the owner of this class.
class GxFont : public GxObject {
 public:
  GxFont() = default;
};
