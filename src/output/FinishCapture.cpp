#include "app/CaptureOverlay.h"
#include "app/CaptureState.h"
#include "app/CommandLatch.h"
#include "app/Desktop.h"
#include "app/FrameDamage.h"
#include "app/Globals.h"
#include "app/Layers.h"
#include "output/CanvasToBmp.h"
#include "output/Clipboard.h"
#include "output/Commands.h"
#include "output/CropAndEncode.h"

void FinishCapture() {
  CommandScope command;
  Globals& objects = Objects();
  ShowFrozen(0, 0, TheOverlay().Width(), TheOverlay().Height());  // wipe dimming, frame, label, toolbar and menu
  const Bytes screen = CanvasToBmp(objects.OverlayCanvas.GetSurfaceDC(), ScreenWidth(), ScreenHeight());
  const ScreenRect& s = Capture().SelectionRect;
  std::string format;  // the source's own: BMP
  const Bytes crop = CropAndEncode(screen, s.left, s.top, s.right - s.left, s.bottom - s.top, format);
  CopyBitmapToClipboard(TheOverlay().Handle(), crop);
  CancelCapture();
}
