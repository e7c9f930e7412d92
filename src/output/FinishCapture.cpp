#include "app/CaptureOverlay.h"
#include "app/CaptureState.h"
#include "app/CommandLatch.h"
#include "gx/GdiOwners.h"
#include "output/Clipboard.h"
#include "output/Commands.h"
#include "output/OutputImage.h"

void FinishCapture() {
  CommandScope command;
  {
    GdiObject<HBITMAP> selection(OutputDib(Capture().SelectionRect));
    CopyDibToClipboard(TheOverlay().Handle(), selection.get());
  }
  CancelCapture();
}
