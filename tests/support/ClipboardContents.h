#pragma once
// Reading and setting the clipboard from a test, and comparing a clipboard bitmap with the
// synthetic screen.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct ClipboardBitmap {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top row first
  std::uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF; }
};

// The CF_BITMAP on the clipboard; 0 × 0 when there is none or the clipboard stays busy.
ClipboardBitmap ReadClipboard();
void ClearClipboard();
// Puts text alone on the clipboard (a marker to see whether something replaced it).
bool PutClipboardText(const std::string& text);
// The CF_TEXT on the clipboard, empty when there is none.
std::string ClipboardText();
bool ClipboardHasBitmap();

// Pixels of the bitmap that differ from the synthetic screen at (left, top).
int MismatchedPixels(const ClipboardBitmap& clip, int left, int top);
// The synthetic screen's colour as a clipboard pixel (0x00RRGGBB).
std::uint32_t ScreenPixel(int x, int y);
