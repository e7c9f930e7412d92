#include "output/ClipboardPng.h"

#include <cstring>
#include <string>

#include "gx/GxBitmap.h"
#include "gx/GxImage.h"
#include "output/EncodeForFile.h"

namespace {

HWND keeper = nullptr;
GdiObject<HBITMAP> kept;

// The kept picture as PNG bytes; empty when there is none or it cannot be encoded. Read as the
// clipboard's bitmap is read: opaque, whatever its fourth byte holds.
Bytes KeptAsPng() {
  GxBitmap bitmap;
  if (!kept || !bitmap.CreateFromHBITMAP(kept.get())) return Bytes();
  std::string format = kPngFormat;
  return EncodeCropForFile(bitmap, format);
}

HGLOBAL GlobalCopy(const Bytes& bytes) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!memory) return nullptr;
  if (void* target = GlobalLock(memory)) {
    std::memcpy(target, bytes.data(), bytes.size());
    GlobalUnlock(memory);
    return memory;
  }
  GlobalFree(memory);
  return nullptr;
}

}  // namespace

UINT PngClipboardFormat() {
  static const UINT format = RegisterClipboardFormatW(L"PNG");
  return format;
}

void SetClipboardKeeper(HWND window) { keeper = window; }
HWND ClipboardKeeper() { return keeper; }

void KeepForRendering(GdiObject<HBITMAP> dib) { kept = std::move(dib); }

void RenderClipboardFormat(UINT format) {
  if (format != PngClipboardFormat()) return;
  const Bytes png = KeptAsPng();
  if (png.empty()) return;
  HGLOBAL memory = GlobalCopy(png);
  if (memory && !SetClipboardData(format, memory)) GlobalFree(memory);
}

void RenderAllClipboardFormats() {
  if (!keeper || !OpenClipboard(keeper)) return;
  // Another program may have taken the clipboard since: what it holds is not ours to fill.
  if (GetClipboardOwner() == keeper) RenderClipboardFormat(PngClipboardFormat());
  CloseClipboard();
}

void ForgetClipboardPicture() { kept.reset(); }
