#include "app/CaptureLife.h"

#include "app/AnnotationSession.h"
#include "app/CaptureImages.h"
#include "app/CaptureOverlay.h"
#include "app/CaptureState.h"
#include "app/FrameDamage.h"

void ForgetCapture() {
  Capture().Reset();
  ForgetAnnotations();
  EndFrames();
  ForgetCaptureImages();
}

bool CaptureOpen() { return TheOverlay().IsLoaded(); }
