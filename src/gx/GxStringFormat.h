#pragma once

#include "gx/GxObject.h"

// Operations are added by the owner of this class.
class GxStringFormat : public GxObject {
 public:
  GxStringFormat() = default;
};
