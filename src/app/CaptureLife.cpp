#include "app/CaptureLife.h"

#include "app/AnnotationSession.h"
#include "app/CaptureImages.h"
#include "app/CaptureOverlay.h"
#include "app/CaptureState.h"
#include "app/FrameDamage.h"
#include "app/WindowCandidate.h"

void ForgetCapture() {
  Capture().Reset();
  ForgetAnnotations();
  EndFrames();
  ForgetCaptureImages();
  ForgetNotedWindows();
}

bool CaptureOpen() { return TheOverlay().IsLoaded(); }
