#include "output/Clipboard.h"

#include <cstring>
#include <memory>

#include "gx/GdiOwners.h"
#include "gx/GxText.h"
#include "output/ClipboardPng.h"
#include "output/OutputImage.h"

namespace {

constexpr int kOpenAttempts = 40;
constexpr DWORD kRetryDelayMs = 50;

// Waits, handling what arrives for the thread's windows meanwhile (a WM_QUIT stays queued).
void WaitHandlingMessages(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  for (DWORD waited = 0; waited < milliseconds; waited = GetTickCount() - start) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - waited, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE) && message.message != WM_QUIT &&
           PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

void ShowClipboardFailure(HWND owner, const std::string& reason) {
  const std::string text = "截图未能放到剪贴板上：" + reason + "\r\n\r\n截图仍然打开，可以再试一次或保存。";
  MessageBoxW(owner, Utf8ToWide(text).c_str(), L"复制失败", MB_OK | MB_ICONWARNING);
}

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
    WaitHandlingMessages(kRetryDelayMs);
  }
  return false;
}

}  // namespace

std::function<void(HWND, const std::string&)> ReportClipboardFailure = ShowClipboardFailure;

bool CopyDibToClipboard(HWND owner, HBITMAP dib, UINT onDemand) {
  if (!dib) return false;
  GdiObject<HBITMAP> bitmap(DeviceBitmap(dib));
  if (!bitmap.get() || !OpenClipboardPatiently(owner)) return false;
  EmptyClipboard();
  const bool taken = SetClipboardData(CF_BITMAP, bitmap.get()) != nullptr;
  if (taken) bitmap.release();  // the clipboard owns it now
  if (taken && onDemand) SetClipboardData(onDemand, nullptr);
  CloseClipboard();
  return taken;
}

bool CopyTextToClipboard(HWND owner, const std::string& text) {
  const std::wstring wide = Utf8ToWide(text);
  const SIZE_T bytes = (wide.size() + 1) * sizeof(wchar_t);
  std::unique_ptr<void, decltype(&GlobalFree)> memory(GlobalAlloc(GMEM_MOVEABLE, bytes), &GlobalFree);
  if (!memory) return false;
  void* locked = GlobalLock(memory.get());
  if (!locked) return false;
  std::memcpy(locked, wide.c_str(), bytes);
  GlobalUnlock(memory.get());
  if (!OpenClipboardPatiently(owner)) return false;
  EmptyClipboard();
  const bool taken = SetClipboardData(CF_UNICODETEXT, memory.get()) != nullptr;
  if (taken) memory.release();  // the clipboard owns it now
  CloseClipboard();
  return taken;
}

ClipboardResult CopySelectionToClipboard(HWND owner, const OutputSource& source) {
  GdiObject<HBITMAP> selection(OutputDib(source));
  if (!selection.get()) return ClipboardResult::NoImage;
  // The keeper outlives the capture, so the formats it promises can still be rendered later.
  const HWND keeper = ClipboardKeeper();
  if (!CopyDibToClipboard(keeper ? keeper : owner, selection.get(), keeper ? PngClipboardFormat() : 0))
    return ClipboardResult::Busy;
  if (keeper) KeepForRendering(std::move(selection));
  return ClipboardResult::Copied;
}

std::string ClipboardFailureReason(ClipboardResult result) {
  return result == ClipboardResult::Busy ? "另一个程序正占用剪贴板。" : "无法生成截图的图像（内存可能不足）。";
}
