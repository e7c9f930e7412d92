#include "app/process/CaptureOverlay.h"

#include <exception>
#include <new>

#include "app/capture/CaptureSession.h"
#include "app/desktop/Desktop.h"
#include "app/input/OverlayWindowProc.h"
#include "app/render/Render.h"

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

// The last selection, on today's screen: the part of it that still lies there, with its toolbar.
void SelectLastRegion() {
  CaptureSession* session = CurrentSession();
  const std::optional<ScreenRect> last = LastSelection();
  if (!session || !last) return;
  const ScreenRect onScreen = last->Intersect(ScreenRect{0, 0, ScreenWidth(), ScreenHeight()});
  if (onScreen.IsEmpty()) return;
  session->state.SelectionRect = onScreen;
  session->state.mode = modes::Selected{};
  // The first push, once the overlay shows, carries the selection.
  Render(*session, CursorPosition());
}

}  // namespace

CaptureOverlay::CaptureOverlay() : Form(OverlayDesign()) {}

void CaptureOverlay::OnLoad() {
  try {
    BeginCapture(*this, &OverlayWindowProc, ended_);
    if (opening_ == Opening::LastRegion) SelectLastRegion();
  } catch (const std::bad_alloc&) {
    OnUnexpectedFailure(CaptureOutOfMemory(ScreenWidth(), ScreenHeight()).what());
  } catch (const std::exception& failure) {
    // A capture that cannot open (a screen too large for the memory left, say) leaves nothing
    // half open: the user is told and is back where they started.
    OnUnexpectedFailure(failure.what());
  }
}

void CaptureOverlay::OnUnexpectedFailure(const std::string& what) {
  if (CaptureOpen()) {
    EndCapture();  // closes the overlay and brings the user back
  } else {
    Close();
    if (ended_) ended_();
  }
  ReportUnexpectedFailure(nullptr, what);
}

// Destroyed by some route that did not end the capture first: end it now, so the layers, the
// canvas and the subclass do not outlive their window.
void CaptureOverlay::OnClosed() { EndCapture(); }

CaptureOverlay& TheOverlay() {
  static CaptureOverlay overlay;
  return overlay;
}

void OpenCaptureOverlay(bool modal, Opening opening) {
  TheOverlay().OpenAs(opening);
  TheOverlay().Load(modal);
  TheOverlay().OpenAs(Opening::Fresh);
}
