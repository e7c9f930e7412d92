#include "app/canvas/EmbeddedAssets.h"

#include "app/canvas/Resources.h"
#include "gx/GxBitmap.h"

Bytes ResourceBytes(int id) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10));  // RT_RCDATA
  if (!resource) return Bytes();
  HGLOBAL loaded = LoadResource(module, resource);
  auto* data = static_cast<const std::uint8_t*>(LockResource(loaded));
  DWORD size = SizeofResource(module, resource);
  return data ? Bytes(data, data + size) : Bytes();
}

HBITMAP ResourceBitmap(int id) {
  GxBitmap picture;
  if (!picture.LoadFromBytes(ResourceBytes(id))) return nullptr;
  return picture.GetHBITMAP(0xFFF0F0F0);  // the window's face colour behind any transparency
}

HCURSOR OverlayCursor() {
  static const HCURSOR cursor = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_OVERLAY));
  return cursor;
}
