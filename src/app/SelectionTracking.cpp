#include "app/SelectionTracking.h"

#include <algorithm>

#include "app/Desktop.h"
#include "app/Layers.h"
#include "app/SelectionRenderer.h"

namespace {

void WidenAxis(std::int32_t& low, std::int32_t& high) {
  if (high - low == 0) {
    low -= 1;
    high += 1;
  } else if (high - low == 1) {
    low -= 1;
  }
}

void Redraw(const ScreenRect& drawn) {
  RepaintBase();
  DrawSelection(drawn.left, drawn.top, drawn.right, drawn.bottom);
}

void ResizeByCorner(CaptureState& state, int cx, int cy) {
  DragState& drag = state.drag;
  const ScreenRect s = state.SelectionRect;
  if (drag.anchorX == -1 && drag.anchorY == -1) {
    // First movement of this press: hold on to the corner opposite the grabbed one.
    switch (state.grabbedZone) {
      case HitZone::TopLeft: drag.anchorX = s.right, drag.anchorY = s.bottom; break;
      case HitZone::TopRight: drag.anchorX = s.left, drag.anchorY = s.bottom; break;
      case HitZone::BottomLeft: drag.anchorX = s.right, drag.anchorY = s.top; break;
      default: drag.anchorX = s.left, drag.anchorY = s.top; break;
    }
    return;
  }
  const ScreenRect spanned = Spanned(drag.anchorX, drag.anchorY, cx, cy);
  state.SelectionRect = spanned;
  EnforceMinExtent(state.SelectionRect);
  Redraw(spanned);
}

void ResizeByEdge(CaptureState& state, int cx, int cy) {
  DragState& drag = state.drag;
  const ScreenRect s = state.SelectionRect;
  if (drag.spanX == -1 && drag.spanY == -1) {
    drag.anchorX = s.left;
    drag.anchorY = s.top;
    drag.spanX = s.right - s.left;
    drag.spanY = s.bottom - s.top;
  } else {
    switch (state.grabbedZone) {
      case HitZone::Left: drag.spanX = drag.anchorX + drag.spanX - cx, drag.anchorX = cx; break;
      case HitZone::Right: drag.spanX = cx - drag.anchorX; break;
      case HitZone::Top: drag.spanY = drag.anchorY + drag.spanY - cy, drag.anchorY = cy; break;
      default: drag.spanY = cy - drag.anchorY; break;
    }
  }
  state.SelectionRect = Spanned(drag.anchorX, drag.anchorY, drag.anchorX + drag.spanX, drag.anchorY + drag.spanY);
  EnforceMinExtent(state.SelectionRect);
  Redraw(state.SelectionRect);
}

// New origin on one axis, kept on the screen; at an edge the grip offset is taken again so that
// turning back moves the selection at once.
std::int32_t ClampedOrigin(int cursor, std::int32_t& offset, std::int32_t span, int screen) {
  const int wanted = cursor + offset;
  if (wanted >= 0 && wanted + span <= screen) return wanted;
  const std::int32_t origin = wanted >= 0 ? screen - span : 0;
  offset = origin - cursor;
  return origin;
}

void Move(CaptureState& state, int cx, int cy) {
  DragState& drag = state.drag;
  ScreenRect& s = state.SelectionRect;
  if (drag.offsetX == -1 && drag.offsetY == -1 && drag.spanX == -1 && drag.spanY == -1) {
    drag.offsetX = s.left - cx;
    drag.offsetY = s.top - cy;
    drag.spanX = s.right - s.left;
    drag.spanY = s.bottom - s.top;
  } else {
    const int screenWidth = ScreenWidth();
    const int screenHeight = ScreenHeight();
    const bool onScreen =
        s.left >= 0 && s.left + drag.spanX <= screenWidth && s.top >= 0 && s.top + drag.spanY <= screenHeight;
    if (onScreen) {
      s.left = ClampedOrigin(cx, drag.offsetX, drag.spanX, screenWidth);
      s.top = ClampedOrigin(cy, drag.offsetY, drag.spanY, screenHeight);
    }
  }
  s.right = s.left + drag.spanX;
  s.bottom = s.top + drag.spanY;
  Redraw(s);
}

}  // namespace

void EnforceMinExtent(ScreenRect& rect) {
  WidenAxis(rect.left, rect.right);
  WidenAxis(rect.top, rect.bottom);
}

ScreenRect Spanned(int x1, int y1, int x2, int y2) {
  return ScreenRect{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

void TrackNewSelection(int cursorX, int cursorY) {
  CaptureState& state = Capture();
  RepaintBase();
  const ScreenRect spanned = Spanned(state.drag.anchorX, state.drag.anchorY, cursorX, cursorY);
  state.SelectionRect = spanned;
  EnforceMinExtent(state.SelectionRect);
  DrawSelection(spanned.left, spanned.top, spanned.right, spanned.bottom);
}

void AdjustSelection(int cursorX, int cursorY) {
  CaptureState& state = Capture();
  if (state.mode == CaptureMode::Drag) {
    Move(state, cursorX, cursorY);
    return;
  }
  switch (state.grabbedZone) {
    case HitZone::TopLeft: case HitZone::TopRight: case HitZone::BottomLeft: case HitZone::BottomRight:
      ResizeByCorner(state, cursorX, cursorY);
      break;
    case HitZone::Left: case HitZone::Right: case HitZone::Top: case HitZone::Bottom:
      ResizeByEdge(state, cursorX, cursorY);
      break;
    default:
      break;
  }
}

void ResetDrag() {
  CaptureState& state = Capture();
  state.buttonDown = 0;
  state.pressLocked = 0;
  state.drag.Reset();
}
