#pragma once
// The full-screen capture window. Everything it shows comes from the overlay canvas; its
// opening steps run while it is still hidden.

#include "win/Form.h"

class CaptureOverlay : public Form {
 public:
  CaptureOverlay();

 protected:
  void OnLoad() override;
  void OnClosed() override;
};

// The overlay form of the process.
CaptureOverlay& TheOverlay();
// The overlay's own arrow pointer (embedded cursor).
HCURSOR OverlayCursor();
// The start button's action: load the overlay (modal when the main window starts it).
void OpenCaptureOverlay(bool modal);
