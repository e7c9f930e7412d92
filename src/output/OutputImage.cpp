#include "output/OutputImage.h"

#include "app/AnnotationSession.h"
#include "app/CaptureOverlay.h"
#include "app/CaptureState.h"
#include "app/Desktop.h"
#include "app/FrameDamage.h"
#include "app/Globals.h"
#include "output/CanvasToBmp.h"

Bytes ComposeOutput() {
  KeepOpenWork();
  ShowFrozen(0, 0, TheOverlay().Width(), TheOverlay().Height());  // wipe dimming, frame, label, toolbar and menu
  if (const GxGraphics* layer = AnnotationLayerSurface()) {
    const ScreenRect& s = Capture().SelectionRect;
    ShowAnnotated(s.left, s.top, s.right - s.left, s.bottom - s.top, layer);
  }
  return CanvasToBmp(Objects().OverlayCanvas.GetSurfaceDC(), ScreenWidth(), ScreenHeight());
}
