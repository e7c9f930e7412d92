#pragma once

#include "gx/GxObject.h"

// Operations are added by the owner of this class.
class GxRegion : public GxObject {
 public:
  GxRegion() = default;
};
