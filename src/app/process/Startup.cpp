#include "app/process/Startup.h"

#include "gx/GdiplusApi.h"

ULONG_PTR GdiplusToken = 0;

bool StartGdiplus() {
  if (GdiplusToken != 0) return true;
  if (!GdiplusEntries().GdiplusStartup && !ResolveGdiplusStartup()) return false;
  Gdiplus::GdiplusStartupInput input;
  input.GdiplusVersion = 1;
  input.DebugEventCallback = nullptr;
  input.SuppressBackgroundThread = FALSE;
  input.SuppressExternalCodecs = FALSE;
  ULONG_PTR token = 0;
  if (GdiplusEntries().GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok && token != 0) {
    GdiplusToken = token;
    ResolveGdiplusEntries();
  }
  return GdiplusToken != 0;
}
