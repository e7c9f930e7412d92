#include "app/CaptureOverlay.h"
#include "app/CaptureState.h"
#include "app/CommandLatch.h"
#include "gx/GdiOwners.h"
#include "output/Clipboard.h"
#include "output/Commands.h"
#include "output/SelectionOutput.h"

void FinishCapture() {
  CommandScope command;
  {
    GdiObject<HBITMAP> selection(SelectionDib(Capture().SelectionRect));
    CopyDibToClipboard(TheOverlay().Handle(), selection.get());
  }
  CancelCapture();
}
