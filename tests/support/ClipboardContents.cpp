#include "support/ClipboardContents.h"

#include <cstring>

#include "support/OverlayFixture.h"

namespace {

// Another process may hold the clipboard for a moment.
bool OpenClipboardPatiently() {
  for (int attempt = 0; attempt < 40; ++attempt) {
    if (OpenClipboard(nullptr)) return true;
    Sleep(25);
  }
  return false;
}

}  // namespace

ClipboardBitmap ReadClipboard() {
  ClipboardBitmap result;
  if (!OpenClipboardPatiently()) return result;
  if (auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP)))
    result.pixels = BitmapPixels(bitmap, result.width, result.height);
  CloseClipboard();
  return result;
}

void ClearClipboard() {
  if (OpenClipboardPatiently()) {
    EmptyClipboard();
    CloseClipboard();
  }
}

bool PutClipboardText(const std::string& text) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!block) return false;
  std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
  GlobalUnlock(block);
  if (!OpenClipboardPatiently()) {
    GlobalFree(block);
    return false;
  }
  EmptyClipboard();
  const bool taken = SetClipboardData(CF_TEXT, block) != nullptr;
  CloseClipboard();
  if (!taken) GlobalFree(block);
  return taken;
}

std::string ClipboardText() {
  std::string text;
  if (!OpenClipboardPatiently()) return text;
  if (HANDLE block = GetClipboardData(CF_TEXT)) {
    if (const char* chars = static_cast<const char*>(GlobalLock(block))) {
      text = chars;
      GlobalUnlock(block);
    }
  }
  CloseClipboard();
  return text;
}

bool ClipboardHasBitmap() { return IsClipboardFormatAvailable(CF_BITMAP) != FALSE; }

std::uint32_t ScreenPixel(int x, int y) {
  const COLORREF c = ScreenColour(x, y);
  return (static_cast<std::uint32_t>(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

int MismatchedPixels(const ClipboardBitmap& clip, int left, int top) {
  int mismatched = 0;
  for (int y = 0; y < clip.height; ++y)
    for (int x = 0; x < clip.width; ++x) mismatched += clip.At(x, y) != ScreenPixel(left + x, top + y);
  return mismatched;
}
