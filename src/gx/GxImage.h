#pragma once

#include "gx/GxObject.h"

// Operations are added by the owner of this class.
class GxImage : public GxObject {
 public:
  GxImage() = default;
};
