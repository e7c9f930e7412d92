#include "gx/GxFontCollection.h"

#include <algorithm>
#include <utility>

#include "gx/GxArgumentGuards.h"

using namespace Gdiplus;

bool GxFontCollection::UseInstalledFonts() {
  GpFontCollection* installed = nullptr;
  const bool ok = GdipOk<GDIP(GdipNewInstalledFontCollection)>(&installed);
  SetNativeHandle(installed);
  return ok;
}

int GxFontCollection::GetFamilyCount() const {
  INT count = 0;
  Gdip<GDIP(GdipGetFontCollectionFamilyCount)>(Handle(), &count);
  return count;
}

int GxFontCollection::GetFamilies(int count, std::vector<GxFontFamily>& families) const {
  if (count < 1) {
    LastStatus = GxInvalidParameter;
    return 0;
  }
  std::vector<GpFontFamily*> listed;
  std::vector<GxFontFamily> fresh;
  const auto size = static_cast<std::size_t>(count);
  if (!Allocated(size * (sizeof(GpFontFamily*) + sizeof(GxFontFamily)), [&] {
        listed.assign(size, nullptr);
        fresh = std::vector<GxFontFamily>(size);
      }))
    return 0;
  families = std::move(fresh);
  INT found = 0;
  if (Gdip<GDIP(GdipGetFontCollectionFamilyList)>(Handle(), count, listed.data(), &found) != GxOk) return 0;
  // The listed families stay the collection's. Each wrapper gets a reference of its own, as the
  // SDK's own FontCollection::GetFamilies does, so that deleting it leaves the collection's alone.
  found = std::clamp(found, 0, count);
  for (int i = 0; i < found; ++i) {
    GpFontFamily* own = nullptr;
    if (Gdip<GDIP(GdipCloneFontFamily)>(listed[i], &own) == GxOk) families[i].SetNativeHandle(own);
  }
  return found;
}
