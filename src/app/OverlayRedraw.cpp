#include "app/OverlayRedraw.h"

#include "app/CaptureState.h"
#include "app/SelectionRenderer.h"
#include "app/Toolbar.h"
#include "output/ContextMenu.h"

void RedrawOverlay() {
  RedrawSelection(RedrawAction::KeepRects);
  ToolbarDispatch(ToolbarAction::None);
  if (Capture().menuShown) {
    ContextMenu(MenuAction::Hover);
  } else {
    ToolbarDispatch(ToolbarAction::Hover);
  }
}
