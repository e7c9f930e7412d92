#include "app/input/ColourKeys.h"

#include "app/capture/CaptureSession.h"
#include "output/Clipboard.h"

namespace {

bool Held(int key) { return GetKeyState(key) < 0; }

// Shift held down repeats its key-down: only the press itself switches, or holding Shift for the
// ten-pixel arrow steps would flicker the line.
bool Repeated(LPARAM flags) { return (flags & (1 << 30)) != 0; }

}  // namespace

bool ColourKeyDown(CaptureSession& session, WPARAM key, LPARAM flags) {
  CaptureState& state = session.state;
  if (state.shownColour.empty()) return false;
  if (key == VK_SHIFT) {
    if (!Repeated(flags)) state.hexColour = !state.hexColour;
    return true;
  }
  if (key != 'C' || Held(VK_CONTROL) || Held(VK_MENU)) return false;
  CopyTextToClipboard(session.Window(), state.shownColour);
  return true;
}
