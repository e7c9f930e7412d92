#include "app/CaptureImages.h"
#include "app/CaptureOverlay.h"
#include "app/CaptureState.h"
#include "app/FrameDamage.h"
#include "app/Globals.h"
#include "app/HitTest.h"
#include "app/Layers.h"
#include "app/MainWindow.h"
#include "output/Commands.h"

void CancelCapture() {
  Globals& objects = Objects();
  EndFrames();
  ForgetCaptureImages();
  objects.FrozenLayer.Delete();
  objects.DimLayer.Delete();
  objects.OverlayCanvas.Detach();
  TheOverlay().Close();
  ResetCapture();
  TheMainWindow().SetVisible(true);
}

void ResetCapture() {
  CaptureState& state = Capture();
  state.selectionMade = 0;
  state.buttonDown = 0;
  state.menuShown = 0;
  state.pressLocked = 0;
  state.zone = HitZone::None;
  TheOverlay().SetMousePointer(OverlayCursor());
  state.drag.Reset();
  state.SelectionRect = ScreenRect{};
  state.ToolbarRect = ScreenRect{};
  state.MenuRect = ScreenRect{};
  RepaintBase();
}

void ReselectCapture() {
  ResetCapture();
  Capture().skipNextRelease = 1;
}
