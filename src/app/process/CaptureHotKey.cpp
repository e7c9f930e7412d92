#include "app/process/CaptureHotKey.h"

#include "app/capture/CaptureSession.h"
#include "app/process/CaptureOverlay.h"

bool RegisterCaptureHotKey(HWND window) {
  // Holding the keys down starts one capture, not one per repeat.
  return RegisterHotKey(window, kCaptureHotKeyId, MOD_CONTROL | MOD_ALT | MOD_NOREPEAT, 'A') != FALSE;
}

void UnregisterCaptureHotKey(HWND window) { UnregisterHotKey(window, kCaptureHotKeyId); }

void OnCaptureHotKey(WPARAM id) {
  if (id != kCaptureHotKeyId || CaptureOpen()) return;
  OpenCaptureOverlay(true);
}
