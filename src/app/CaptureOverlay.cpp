#include "app/CaptureOverlay.h"

#include "app/CaptureLife.h"
#include "app/Desktop.h"
#include "app/Globals.h"
#include "app/Layers.h"
#include "app/OverlayWindowProc.h"
#include "app/ScreenGrab.h"
#include "app/WindowCandidate.h"
#include "app/Resources.h"
#include "output/Commands.h"

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
  ForgetCapture();
  // The copy is taken while the overlay is still hidden, so it shows only what the user saw.
  objects.ScreenSnapshot = ScreenSnapshotSource();
  NoteWindowsAtOpening(Handle());
  SetTop(0);
  SetLeft(0);
  SetWidth(ScreenWidth());
  SetHeight(ScreenHeight());
  SetMousePointer(OverlayCursor());
  SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
  objects.OverlayCanvas.Present();
  BuildLayers(Handle());
  objects.OverlaySubclass.Subclass(Handle(), &OverlayWindowProc);
  PumpPendingMessages();
}

void CaptureOverlay::OnClosed() {
  // Destroyed by some route that did not end the capture first: end it now, so the layers, the
  // canvas and the subclass do not outlive their window.
  if (Objects().OverlayCanvas.IsAttached()) CancelCapture();
}

CaptureOverlay& TheOverlay() {
  static CaptureOverlay overlay;
  return overlay;
}

void OpenCaptureOverlay(bool modal) { TheOverlay().Load(modal); }
