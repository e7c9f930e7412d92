#include "gx/GxObject.h"

void* GxObject::Alloc(std::size_t size) const {
  auto alloc = GdiplusEntries().GdipAlloc;
  return alloc ? alloc(size) : nullptr;
}

void GxObject::Free(void* pointer) const {
  auto free = GdiplusEntries().GdipFree;
  if (free && pointer) free(pointer);
}
