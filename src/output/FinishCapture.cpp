#include "app/CaptureOverlay.h"
#include "app/CaptureState.h"
#include "app/CommandLatch.h"
#include "output/Clipboard.h"
#include "output/Commands.h"
#include "output/CropAndEncode.h"
#include "output/OutputImage.h"

void FinishCapture() {
  CommandScope command;
  const Bytes screen = ComposeOutput();
  const ScreenRect& s = Capture().SelectionRect;
  std::string format;  // the source's own: BMP
  const Bytes crop = CropAndEncode(screen, s.left, s.top, s.right - s.left, s.bottom - s.top, format);
  CopyBitmapToClipboard(TheOverlay().Handle(), crop);
  CancelCapture();
}
