#include "app/capture/CaptureSession.h"

#include <algorithm>
#include <memory>
#include <string>

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
bool MakeDimLayer(GxGraphics& layer, int width, int height) {
  GxSolidBrush black;
  black.Create(ArgbFromColorRef(RGB(0, 0, 0)));
  if (!layer.CreateSurface(width, height)) return false;
  layer.FillRectangle(black, 0, 0, static_cast<float>(width), static_cast<float>(height));
  return true;
}

std::string OutOfMemoryText(int width, int height) {
  return "内存不足，无法截取 " + std::to_string(width) + " × " + std::to_string(height) +
         " 的屏幕。请关闭一些程序后再试。";
}

// What no monitor shows is no picture: black, whatever the copy found there.
void BlackenGaps(GxGraphics& frozen, const std::vector<ScreenRect>& gaps) {
  const SurfaceBits pixels = frozen.GetSurfaceBits();
  if (!pixels.bits) return;
  for (const ScreenRect& gap : gaps) {
    const ScreenRect part = gap.Intersect(ScreenRect{0, 0, pixels.width, pixels.height});
    for (int y = part.top; y < part.bottom; ++y) std::fill(pixels.Row(y) + part.left, pixels.Row(y) + part.right, 0xFF000000u);
  }
}

}  // namespace

CaptureOutOfMemory::CaptureOutOfMemory(int width, int height)
    : std::runtime_error(OutOfMemoryText(width, height)) {}

CaptureSession::CaptureSession(Form& form, WNDPROC procedure)
    : overlay(form),
      desktop(MeasureDesktop()),
      monitors(desktop.MonitorsOnCanvas()),
      frame(OverlayCanvas, FrozenLayer, DimLayer),
      images(FrozenLayer),
      annotations(frame, OverlayCanvas, FrozenLayer) {
  const ScreenRect& screen = desktop.virtualRect;
  // The copy is taken while the overlay is still hidden, so it shows only what the user saw.
  if (!FrozenLayer.CreateSurface(screen.Width(), screen.Height()))
    throw CaptureOutOfMemory(screen.Width(), screen.Height());
  images.NoteScreenCopy(ScreenSnapshotSource(FrozenLayer));
  BlackenGaps(FrozenLayer, desktop.GapsOnCanvas());
  windows = NoteVisibleWindows(overlay.Handle(), desktop);
  overlay.SetTop(screen.top);
  overlay.SetLeft(screen.left);
  overlay.SetWidth(screen.Width());
  overlay.SetHeight(screen.Height());
  overlay.SetMousePointer(OverlayCursor());
  SetWindowPos(overlay.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
  // The window gets the dimmed screen with its first push, once it is shown.
  OverlayCanvas.Attach(overlay.Handle(), LayeredCanvas::FirstPush::WithFirstPresent);
  if (!OverlayCanvas.GetSurfaceBits().bits) throw CaptureOutOfMemory(screen.Width(), screen.Height());
  if (CurrentRedrawMode() == RedrawMode::Full &&
      !MakeDimLayer(DimLayer, OverlayCanvas.GetSurfaceWidth(), OverlayCanvas.GetSurfaceHeight()))
    throw CaptureOutOfMemory(screen.Width(), screen.Height());
  frame.Start();
  subclass.Subclass(overlay.Handle(), procedure);
}

HWND CaptureSession::Window() const { return overlay.Handle(); }

void CaptureSession::SetPointer(HCURSOR pointer) { overlay.SetMousePointer(pointer); }

POINT CaptureSession::CursorOnCanvas() const { return desktop.KeptOffGaps(desktop.ToCanvas(CursorPosition())); }

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
