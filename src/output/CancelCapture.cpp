#include "app/AnnotationSession.h"
#include "app/CaptureLife.h"
#include "app/CaptureOverlay.h"
#include "app/CaptureState.h"
#include "app/CommandLatch.h"
#include "app/Globals.h"
#include "app/HitTest.h"
#include "app/Layers.h"
#include "app/MainWindow.h"
#include "output/Commands.h"

namespace {

// The window the user started from is where they are when the capture ends: shown, usable and
// in front, so that the next press of its button starts the next capture.
void BringBackMainWindow() {
  MainWindow& main = TheMainWindow();
  main.SetVisible(true);
  HWND window = main.Handle();
  if (!window) return;
  EnableWindow(window, TRUE);
  SetForegroundWindow(window);
  SetActiveWindow(window);
}

}  // namespace

void CancelCapture() {
  CommandScope command;
  Globals& objects = Objects();
  // First, as a kept image looks straight at the frozen layer's pixels; the next opening runs it
  // again before anything else.
  ForgetCapture();
  objects.FrozenLayer.Delete();
  objects.DimLayer.Delete();
  objects.OverlayCanvas.Detach(LayeredCanvas::Restore::Nothing);  // the window is closed next
  // Before the window goes: a later Subclass must not write to a window that no longer exists.
  objects.OverlaySubclass.Unsubclass();
  TheOverlay().Close();
  ResetCapture();
  BringBackMainWindow();
}

void ResetCapture() {
  CommandScope command;
  CaptureState& state = Capture();
  state.selectionMade = 0;
  state.buttonDown = 0;
  state.menuShown = 0;
  state.pressLocked = 0;
  state.zone = HitZone::None;
  // The next selection is hit-tested afresh, wherever the cursor was left.
  state.lastCursorX = state.lastCursorY = kNoCursor;
  TheOverlay().SetMousePointer(OverlayCursor());
  state.drag.Reset();
  state.SelectionRect = ScreenRect{};
  state.ToolbarRect = ScreenRect{};
  state.StyleBarRect = ScreenRect{};
  state.MenuRect = ScreenRect{};
  ForgetAnnotations();
  RepaintBase();
}

void ReselectCapture() {
  CommandScope command;
  ResetCapture();
  Capture().skipNextRelease = 1;
}
