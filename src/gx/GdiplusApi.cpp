#include "gx/GdiplusApi.h"

namespace {

HMODULE GdiplusLibrary() {
  static HMODULE library = LoadLibraryA("gdiplus.dll");
  return library;
}

template <typename Fn>
void Resolve(Fn& entry, const char* name) {
  entry = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(GdiplusLibrary(), name)));
}

}  // namespace

GdiplusApi& GdiplusEntries() {
  static GdiplusApi entries;
  return entries;
}

bool ResolveGdiplusStartup() {
  if (!GdiplusLibrary()) return false;
  Resolve(GdiplusEntries().GdiplusStartup, "GdiplusStartup");
  return GdiplusEntries().GdiplusStartup != nullptr;
}

void ResolveGdiplusEntries() {
  if (!GdiplusLibrary()) return;
  GdiplusApi& api = GdiplusEntries();
#define GX_RESOLVE_ENTRY(name) Resolve(api.name, #name);
  GX_GDIPLUS_FUNCTIONS(GX_RESOLVE_ENTRY)
#undef GX_RESOLVE_ENTRY
}

int CountMissingGdiplusEntries() {
  const GdiplusApi& api = GdiplusEntries();
  int missing = 0;
#define GX_COUNT_MISSING(name) missing += api.name == nullptr;
  GX_GDIPLUS_FUNCTIONS(GX_COUNT_MISSING)
#undef GX_COUNT_MISSING
  return missing;
}
