#include "app/EmbeddedAssets.h"

#include "gx/GxObject.h"

Bytes ResourceBytes(int id) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10));  // RT_RCDATA
  if (!resource) return Bytes();
  HGLOBAL loaded = LoadResource(module, resource);
  auto* data = static_cast<const std::uint8_t*>(LockResource(loaded));
  DWORD size = SizeofResource(module, resource);
  return data ? Bytes(data, data + size) : Bytes();
}

#include <shlwapi.h>

// Interim decoder until the bitmap wrapper is in: stream over the bytes, decode, convert.
HBITMAP ResourceBitmap(int id) {
  Bytes bytes = ResourceBytes(id);
  if (bytes.empty()) return nullptr;
  IStream* stream = SHCreateMemStream(bytes.data(), static_cast<UINT>(bytes.size()));
  if (!stream) return nullptr;
  Gdiplus::GpBitmap* bitmap = nullptr;
  HBITMAP result = nullptr;
  if (Gdip<GDIP(GdipCreateBitmapFromStream)>(stream, &bitmap) == GxOk) {
    Gdip<GDIP(GdipCreateHBITMAPFromBitmap)>(bitmap, &result, Gdiplus::ARGB(0xFFF0F0F0));
    Gdip<GDIP(GdipDisposeImage)>(static_cast<Gdiplus::GpImage*>(bitmap));
  }
  stream->Release();
  return result;
}
