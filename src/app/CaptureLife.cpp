#include "app/CaptureLife.h"

#include "app/CaptureImages.h"
#include "app/CaptureOverlay.h"
#include "app/CaptureState.h"
#include "app/FrameDamage.h"
#include "app/Magnifier.h"
#include "app/SelectionRenderer.h"
#include "app/WindowCandidate.h"

void ForgetCapture() {
  Capture().Reset();
  EndFrames();
  ForgetCaptureImages();
  ForgetSelectionFrame();
  ForgetMagnifier();
  ForgetNotedWindows();
}

bool CaptureOpen() { return TheOverlay().IsLoaded(); }
