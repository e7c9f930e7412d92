#pragma once

#include "gx/GxObject.h"

// Operations are added by the owner of this class.
class GxSolidBrush : public GxObject {
 public:
  GxSolidBrush() = default;
};
