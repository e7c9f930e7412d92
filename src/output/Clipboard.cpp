#include "output/Clipboard.h"

#include "gx/GdiOwners.h"
#include "output/OutputImage.h"

namespace {

constexpr int kOpenAttempts = 10;
constexpr DWORD kRetryDelayMs = 50;

// A device-dependent copy, which is what CF_BITMAP means to the programs that paste it.
HBITMAP DeviceBitmap(HBITMAP dib) {
  BITMAP info{};
  if (!GetObjectA(dib, sizeof info, &info)) return nullptr;
  ScreenDC screen;
  HBITMAP result = CreateCompatibleBitmap(screen.get(), info.bmWidth, info.bmHeight);
  if (!result) return nullptr;
  MemoryDC from(screen.get()), to(screen.get());
  Selection fromSelected(from.get(), dib), toSelected(to.get(), result);
  BitBlt(to.get(), 0, 0, info.bmWidth, info.bmHeight, from.get(), 0, 0, SRCCOPY);
  return result;
}

bool OpenClipboardPatiently(HWND owner) {
  for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
    if (OpenClipboard(owner)) return true;
    Sleep(kRetryDelayMs);
  }
  return false;
}

}  // namespace

bool CopyDibToClipboard(HWND owner, HBITMAP dib) {
  if (!dib) return false;
  GdiObject<HBITMAP> bitmap(DeviceBitmap(dib));
  if (!bitmap.get() || !OpenClipboardPatiently(owner)) return false;
  EmptyClipboard();
  const bool taken = SetClipboardData(CF_BITMAP, bitmap.get()) != nullptr;
  if (taken) bitmap.release();  // the clipboard owns it now
  CloseClipboard();
  return taken;
}

bool CopySelectionToClipboard(HWND owner, const OutputSource& source) {
  GdiObject<HBITMAP> selection(OutputDib(source));
  return CopyDibToClipboard(owner, selection.get());
}
