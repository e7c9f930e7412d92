#include "app/capture/CaptureSession.h"

#include <memory>

#include "app/canvas/EmbeddedAssets.h"
#include "win/CommandLatch.h"
#include "app/desktop/Desktop.h"
#include "app/desktop/ScreenGrab.h"
#include "gx/Colour.h"
#include "gx/GxSolidBrush.h"
#include "win/Form.h"

namespace {

// The one open capture, and what runs after it ends; process-wide slots, not capture state.
std::unique_ptr<CaptureSession> current;
std::function<void()> afterEnding;
std::optional<ScreenRect> lastSelection;

// The black the plain redraw blends over the frozen layer.
void MakeDimLayer(GxGraphics& layer, int width, int height) {
  GxSolidBrush black;
  black.Create(ArgbFromColorRef(RGB(0, 0, 0)));
  layer.CreateSurface(width, height);
  layer.FillRectangle(black, 0, 0, static_cast<float>(width), static_cast<float>(height));
}

}  // namespace

CaptureSession::CaptureSession(Form& form, WNDPROC procedure)
    : overlay(form),
      frame(OverlayCanvas, FrozenLayer, DimLayer),
      images(FrozenLayer),
      annotations(frame, OverlayCanvas, FrozenLayer) {
  const int width = ScreenWidth(), height = ScreenHeight();
  // The copy is taken while the overlay is still hidden, so it shows only what the user saw.
  FrozenLayer.CreateSurface(width, height);
  images.NoteScreenCopy(ScreenSnapshotSource(FrozenLayer));
  windows = NoteVisibleWindows(overlay.Handle(), width, height);
  overlay.SetTop(0);
  overlay.SetLeft(0);
  overlay.SetWidth(width);
  overlay.SetHeight(height);
  overlay.SetMousePointer(OverlayCursor());
  SetWindowPos(overlay.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
  // The window gets the dimmed screen with its first push, once it is shown.
  OverlayCanvas.Attach(overlay.Handle(), LayeredCanvas::FirstPush::WithFirstPresent);
  if (CurrentRedrawMode() == RedrawMode::Full)
    MakeDimLayer(DimLayer, OverlayCanvas.GetSurfaceWidth(), OverlayCanvas.GetSurfaceHeight());
  frame.Start();
  subclass.Subclass(overlay.Handle(), procedure);
}

HWND CaptureSession::Window() const { return overlay.Handle(); }

void CaptureSession::SetPointer(HCURSOR pointer) { overlay.SetMousePointer(pointer); }

CaptureSession* CurrentSession() { return current.get(); }

bool CaptureOpen() { return current != nullptr; }

void BeginCapture(Form& overlay, WNDPROC procedure, std::function<void()> ended) {
  afterEnding = std::move(ended);
  current.reset();
  current = std::make_unique<CaptureSession>(overlay, procedure);
  PumpPendingMessages();
}

void EndCapture() {
  if (!current) return;
  CommandScope command;
  Form& overlay = current->overlay;
  // Out of the slot first: whatever the release sends the overlay finds no capture to act on.
  std::unique_ptr<CaptureSession> ending = std::move(current);
  if (ending->state.SelectionMade() && !ending->state.SelectionRect.IsEmpty())
    lastSelection = ending->state.SelectionRect;
  ending.reset();
  overlay.Close();
  if (afterEnding) afterEnding();
}

std::optional<ScreenRect> LastSelection() { return lastSelection; }
