#include "app/CaptureOverlay.h"

#include "app/CaptureState.h"
#include "app/Desktop.h"
#include "app/Globals.h"
#include "app/Layers.h"
#include "app/OverlayWindowProc.h"
#include "app/ScreenGrab.h"
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
  Globals& objects = Objects();
  // The copy is taken while the overlay is still hidden, so it shows only what the user saw.
  objects.ScreenSnapshot = ScreenSnapshotSource();
  SetTop(0);
  SetLeft(0);
  SetWidth(ScreenWidth());
  SetHeight(ScreenHeight());
  SetMousePointer(OverlayCursor());
  SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
  objects.OverlayCanvas.Present();
  BuildLayers(Handle());
  Capture().drag.Reset();
  objects.OverlaySubclass.Subclass(Handle(), &OverlayWindowProc);
  PumpPendingMessages();
}

CaptureOverlay& TheOverlay() {
  static CaptureOverlay overlay;
  return overlay;
}

void OpenCaptureOverlay(bool modal) { TheOverlay().Load(modal); }
