#pragma once

#include "gx/GxObject.h"

// Operations are added by the owner of this class.
class GxImageAttributes : public GxObject {
 public:
  GxImageAttributes() = default;
};
