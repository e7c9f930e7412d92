#include "gx/GxEffect.h"

void GxEffect::FreeAuxData() {
  auto free = GdiplusEntries().GdipFree;
  if (auxData_ && free) free(auxData_);
  auxData_ = nullptr;
  auxDataSize_ = 0;
}
