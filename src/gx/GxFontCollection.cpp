#include "gx/GxFontCollection.h"

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
  std::vector<GpFontFamily*> handles(static_cast<std::size_t>(count), nullptr);
  families = std::vector<GxFontFamily>(static_cast<std::size_t>(count));
  INT found = 0;
  if (Gdip<GDIP(GdipGetFontCollectionFamilyList)>(Handle(), count, handles.data(), &found) != GxOk) return 0;
  for (std::size_t i = 0; i < handles.size(); ++i) families[i].SetNativeHandle(handles[i]);
  return found;
}
