#pragma once

#include "gx/GxObject.h"

// Operations are added by the owner of this class.
class GxPen : public GxObject {
 public:
  GxPen() = default;
};
