#pragma once

#include "gx/GxObject.h"

// Operations are added by the owner of this class.
class GxPath : public GxObject {
 public:
  GxPath() = default;
};
