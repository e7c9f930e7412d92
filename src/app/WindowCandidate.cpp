#include "app/WindowCandidate.h"

#include <cstdlib>

#include "app/Desktop.h"
#include "app/WindowList.h"

namespace {

WindowList& Noted() {
  static WindowList windows;
  return windows;
}

}  // namespace

void NoteWindowsAtOpening(HWND overlay) { Noted() = NoteVisibleWindows(overlay, ScreenWidth(), ScreenHeight()); }

void ForgetNotedWindows() { WindowList().swap(Noted()); }

std::optional<ScreenRect> CandidateAt(POINT point) {
  const NotedWindow* window = InnermostWindowAt(Noted(), point.x, point.y);
  if (!window) return std::nullopt;
  return window->rect;
}

bool IsClick(POINT press, POINT release) {
  return std::abs(release.x - press.x) <= 2 && std::abs(release.y - press.y) <= 2;
}
