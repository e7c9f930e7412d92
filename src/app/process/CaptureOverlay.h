#pragma once
// The full-screen capture window, one for the process. Each opening makes a capture session for
// it (app/capture/CaptureSession.h); everything it shows comes from that session's canvas.

#include "win/Form.h"

#include <functional>

class CaptureOverlay : public Form {
 public:
  CaptureOverlay();
  // What runs after every capture has ended and the overlay has closed.
  void AfterEnding(std::function<void()> ended) { ended_ = std::move(ended); }

 protected:
  void OnLoad() override;
  void OnClosed() override;
  void OnUnexpectedFailure(const std::string& what) override;

 private:
  std::function<void()> ended_;
};

// The overlay form of the process.
CaptureOverlay& TheOverlay();
// The start button's action: load the overlay (modal when the main window starts it).
void OpenCaptureOverlay(bool modal);
