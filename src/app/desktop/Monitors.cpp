#include "app/desktop/Monitors.h"

#include <algorithm>
#include <climits>

namespace {

std::optional<DesktopLayout> fixedLayout;

BOOL CALLBACK NoteMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  auto& layout = *reinterpret_cast<DesktopLayout*>(data);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(monitor, &info)) return TRUE;
  if (info.dwFlags & MONITORINFOF_PRIMARY) layout.primary = layout.monitors.size();
  layout.monitors.push_back(ScreenRect::FromRect(info.rcMonitor));
  return TRUE;
}

// The pixel of [low, high) nearest to v, on one axis.
int NearestOnAxis(int v, int low, int high) { return std::clamp(v, low, high - 1); }

std::vector<std::int32_t> SortedEdges(const std::vector<ScreenRect>& rects, bool horizontal) {
  std::vector<std::int32_t> edges;
  for (const ScreenRect& r : rects) {
    edges.push_back(horizontal ? r.left : r.top);
    edges.push_back(horizontal ? r.right : r.bottom);
  }
  std::sort(edges.begin(), edges.end());
  edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
  return edges;
}

}  // namespace

DesktopLayout DesktopLayout::Single(int width, int height) {
  const ScreenRect screen{0, 0, width, height};
  return DesktopLayout{screen, {screen}, 0};
}

POINT DesktopLayout::ToCanvas(POINT screen) const {
  return POINT{screen.x - virtualRect.left, screen.y - virtualRect.top};
}

POINT DesktopLayout::ToScreen(POINT canvas) const {
  return POINT{canvas.x + virtualRect.left, canvas.y + virtualRect.top};
}

ScreenRect DesktopLayout::ToCanvas(const ScreenRect& screen) const {
  const POINT topLeft = ToCanvas(POINT{screen.left, screen.top});
  return ScreenRect{topLeft.x, topLeft.y, topLeft.x + screen.Width(), topLeft.y + screen.Height()};
}

std::vector<ScreenRect> DesktopLayout::MonitorsOnCanvas() const {
  std::vector<ScreenRect> onCanvas;
  for (const ScreenRect& monitor : monitors) onCanvas.push_back(ToCanvas(monitor));
  return onCanvas;
}

ScreenRect DesktopLayout::MonitorOnCanvasAt(POINT canvas) const {
  const std::vector<ScreenRect> all = MonitorsOnCanvas();
  if (all.empty()) return ScreenRect{};
  const ScreenRect* best = &all.front();
  long long bestDistance = LLONG_MAX;
  for (const ScreenRect& monitor : all) {
    const long long dx = canvas.x - NearestOnAxis(canvas.x, monitor.left, monitor.right);
    const long long dy = canvas.y - NearestOnAxis(canvas.y, monitor.top, monitor.bottom);
    if (dx * dx + dy * dy < bestDistance) best = &monitor, bestDistance = dx * dx + dy * dy;
  }
  return *best;
}

ScreenRect DesktopLayout::MonitorOfSelection(const ScreenRect& canvas) const {
  return MonitorOnCanvasAt(POINT{canvas.right - 1, canvas.bottom - 1});
}

POINT DesktopLayout::KeptOffGaps(POINT canvas) const {
  const ScreenRect whole{0, 0, virtualRect.Width(), virtualRect.Height()};
  if (!whole.Contains(canvas.x, canvas.y)) return canvas;
  return NearestShown(canvas, MonitorsOnCanvas());
}

std::vector<ScreenRect> DesktopLayout::GapsOnCanvas() const {
  // The virtual screen cut along every monitor edge: each cell is wholly shown or wholly a gap.
  const std::vector<ScreenRect> shown = MonitorsOnCanvas();
  std::vector<ScreenRect> cuts = shown;
  cuts.push_back(ToCanvas(virtualRect));
  const std::vector<std::int32_t> xs = SortedEdges(cuts, true), ys = SortedEdges(cuts, false);
  std::vector<ScreenRect> gaps;
  for (std::size_t row = 0; row + 1 < ys.size(); ++row) {
    for (std::size_t column = 0; column + 1 < xs.size(); ++column) {
      const ScreenRect cell{xs[column], ys[row], xs[column + 1], ys[row + 1]};
      if (!TouchesAny(cell, shown) && !cell.Intersect(ToCanvas(virtualRect)).IsEmpty()) gaps.push_back(cell);
    }
  }
  return gaps;
}

bool TouchesAny(const ScreenRect& rect, const std::vector<ScreenRect>& monitors) {
  return std::any_of(monitors.begin(), monitors.end(),
                     [&](const ScreenRect& monitor) { return !rect.Intersect(monitor).IsEmpty(); });
}

POINT NearestShown(POINT point, const std::vector<ScreenRect>& monitors) {
  POINT best = point;
  long long bestDistance = LLONG_MAX;
  for (const ScreenRect& monitor : monitors) {
    if (monitor.IsEmpty()) continue;
    const POINT candidate{NearestOnAxis(point.x, monitor.left, monitor.right),
                          NearestOnAxis(point.y, monitor.top, monitor.bottom)};
    const long long dx = candidate.x - point.x, dy = candidate.y - point.y;
    if (dx * dx + dy * dy < bestDistance) best = candidate, bestDistance = dx * dx + dy * dy;
  }
  return best;
}

ScreenRect BoundingBox(const std::vector<ScreenRect>& monitors) {
  if (monitors.empty()) return ScreenRect{};
  ScreenRect box = monitors.front();
  for (const ScreenRect& m : monitors) {
    box = ScreenRect{std::min(box.left, m.left), std::min(box.top, m.top), std::max(box.right, m.right),
                     std::max(box.bottom, m.bottom)};
  }
  return box;
}

ScreenRect IntoMonitor(const ScreenRect& canvas, const ScreenRect& monitor) {
  return ScreenRect{canvas.left - monitor.left, canvas.top - monitor.top, canvas.right - monitor.left,
                    canvas.bottom - monitor.top};
}

ScreenRect OutOfMonitor(const ScreenRect& local, const ScreenRect& monitor) {
  return ScreenRect{local.left + monitor.left, local.top + monitor.top, local.right + monitor.left,
                    local.bottom + monitor.top};
}

ScreenRect KeptOn(const ScreenRect& rect, const ScreenRect& monitor) {
  if (rect.IsEmpty()) return rect;
  int dx = 0, dy = 0;
  if (rect.right > monitor.right) dx = monitor.right - rect.right;
  if (rect.left + dx < monitor.left) dx = monitor.left - rect.left;
  if (rect.bottom > monitor.bottom) dy = monitor.bottom - rect.bottom;
  if (rect.top + dy < monitor.top) dy = monitor.top - rect.top;
  return ScreenRect{rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
}

DesktopLayout MeasureDesktop() {
  if (fixedLayout) return *fixedLayout;
  DesktopLayout layout;
  layout.virtualRect = ScreenRect{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN), 0, 0};
  layout.virtualRect.right = layout.virtualRect.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
  layout.virtualRect.bottom = layout.virtualRect.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
  EnumDisplayMonitors(nullptr, nullptr, NoteMonitor, reinterpret_cast<LPARAM>(&layout));
  // Monitors outside the virtual screen would be a system gone strange; what it cannot show,
  // nobody can select.
  for (ScreenRect& monitor : layout.monitors) monitor = monitor.Intersect(layout.virtualRect);
  if (layout.virtualRect.IsEmpty()) {
    layout = DesktopLayout::Single(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  } else if (layout.monitors.empty() || !TouchesAny(layout.virtualRect, layout.monitors)) {
    layout.monitors = {layout.virtualRect};
    layout.primary = 0;
  }
  return layout;
}

void OverrideDesktop(std::optional<DesktopLayout> layout) { fixedLayout = std::move(layout); }
