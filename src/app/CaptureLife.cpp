#include "app/CaptureLife.h"

#include "app/CaptureImages.h"
#include "app/CaptureOverlay.h"
#include "app/CaptureState.h"
#include "app/FrameDamage.h"
#include "app/Magnifier.h"
#include "app/SelectionRenderer.h"

void ForgetCapture() {
  Capture().Reset();
  EndFrames();
  ForgetCaptureImages();
  ForgetSelectionFrame();
  ForgetMagnifier();
}

bool CaptureOpen() { return TheOverlay().IsLoaded(); }
