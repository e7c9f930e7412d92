#include "app/CaptureOverlay.h"

#include "app/CaptureState.h"
#include "app/Desktop.h"
#include "app/Resources.h"

namespace {

FormDesign OverlayDesign() {
  FormDesign design;
  design.className = "ScreenCutOverlay";
  design.caption = "";
  design.left = 0;
  design.top = 0;
  design.width = 1;
  design.height = 1;
  design.style = WS_POPUP;
  design.exStyle = WS_EX_TOOLWINDOW;
  design.classStyle = CS_DBLCLKS;  // the double click finishes a capture
  design.background = nullptr;     // every pixel comes from the canvas
  return design;
}

}  // namespace

CaptureOverlay::CaptureOverlay() : Form(OverlayDesign()) {}

HCURSOR OverlayCursor() {
  static HCURSOR cursor = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_OVERLAY));
  return cursor;
}

void CaptureOverlay::OnLoad() {
  SetTop(0);
  SetLeft(0);
  SetWidth(ScreenWidth());
  SetHeight(ScreenHeight());
  SetMousePointer(OverlayCursor());
  SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
  Capture().drag.Reset();
  PumpPendingMessages();
}

bool CaptureOverlay::OnMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/, LRESULT& result) {
  if (message == WM_KEYDOWN && wParam == VK_ESCAPE) {
    Close();
    result = 0;
    return true;
  }
  return false;
}

CaptureOverlay& TheOverlay() {
  static CaptureOverlay overlay;
  return overlay;
}

void OpenCaptureOverlay(bool modal) { TheOverlay().Load(modal); }
