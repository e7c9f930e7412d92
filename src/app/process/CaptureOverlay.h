#pragma once
// The full-screen capture window, one for the process. Each opening makes a capture session for
// it (app/capture/CaptureSession.h); everything it shows comes from that session's canvas.

#include "win/Form.h"

#include <functional>

// How a capture opens: on the frozen screen with nothing selected, or with the last selection
// of this run already made.
enum class Opening { Fresh, LastRegion };

class CaptureOverlay : public Form {
 public:
  CaptureOverlay();
  // What runs after every capture has ended and the overlay has closed.
  void AfterEnding(std::function<void()> ended) { ended_ = std::move(ended); }
  void OpenAs(Opening opening) { opening_ = opening; }

 protected:
  void OnLoad() override;
  void OnClosed() override;
  void OnUnexpectedFailure(const std::string& what) override;

 private:
  std::function<void()> ended_;
  Opening opening_ = Opening::Fresh;
};

// The overlay form of the process.
CaptureOverlay& TheOverlay();
// The start button's action: load the overlay (modal when the main window starts it).
void OpenCaptureOverlay(bool modal, Opening opening = Opening::Fresh);
