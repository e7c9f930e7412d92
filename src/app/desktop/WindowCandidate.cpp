#include "app/desktop/WindowCandidate.h"

#include <cstdlib>

std::optional<ScreenRect> CandidateAt(const WindowList& windows, POINT point) {
  const NotedWindow* window = InnermostWindowAt(windows, point.x, point.y);
  if (!window) return std::nullopt;
  return window->rect;
}

bool IsClick(POINT press, POINT release) {
  return std::abs(release.x - press.x) <= 2 && std::abs(release.y - press.y) <= 2;
}
