#include "app/process/CaptureHotKey.h"

#include "app/capture/CaptureSession.h"
#include "app/process/CaptureOverlay.h"

bool RegisterCaptureHotKey(HWND window, const HotKey& hotKey) {
  // Holding the keys down starts one capture, not one per repeat.
  const bool taken = RegisterHotKey(window, kCaptureHotKeyId, hotKey.modifiers | MOD_NOREPEAT, hotKey.key) != FALSE;
  // A key that holds Shift already has no last-region variant.
  if (taken && !(hotKey.modifiers & MOD_SHIFT))
    RegisterHotKey(window, kLastRegionHotKeyId, hotKey.modifiers | MOD_SHIFT | MOD_NOREPEAT, hotKey.key);
  return taken;
}

void UnregisterCaptureHotKey(HWND window) {
  UnregisterHotKey(window, kCaptureHotKeyId);
  UnregisterHotKey(window, kLastRegionHotKeyId);
}

void OnCaptureHotKey(WPARAM id) {
  if (CaptureOpen()) return;
  if (id == kCaptureHotKeyId) OpenCaptureOverlay(true);
  if (id == kLastRegionHotKeyId) OpenCaptureOverlay(true, Opening::LastRegion);
}
