#include "app/input/ColourKeys.h"

#include "app/capture/CaptureSession.h"
#include "output/Clipboard.h"

namespace {

bool Held(int key) { return GetKeyState(key) < 0; }

// Shift held down repeats its key-down.
bool Repeated(LPARAM flags) { return (flags & (1 << 30)) != 0; }

}  // namespace

bool ColourKeyDown(CaptureSession& session, WPARAM key, LPARAM flags) {
  CaptureState& state = session.state;
  // Shift switches the line only when let go with no other key pressed meanwhile: held for the
  // ten-pixel arrow steps, it leaves the line as it is.
  if (key == VK_SHIFT) {
    if (!Repeated(flags)) state.shiftAlone = true;
    return false;
  }
  state.shiftAlone = false;
  if (state.shownColour.empty()) return false;
  if (key != 'C' || Held(VK_CONTROL) || Held(VK_MENU)) return false;
  CopyTextToClipboard(session.Window(), state.shownColour);
  return true;
}

bool ColourKeyUp(CaptureSession& session, WPARAM key) {
  CaptureState& state = session.state;
  const bool alone = key == VK_SHIFT && state.shiftAlone;
  state.shiftAlone = false;
  if (!alone || state.shownColour.empty()) return false;
  state.hexColour = !state.hexColour;
  return true;
}
