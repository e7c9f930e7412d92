#include "app/input/SelectionTracking.h"

#include <algorithm>

#include "app/desktop/Monitors.h"

namespace {

void WidenAxis(std::int32_t& low, std::int32_t& high) {
  if (high - low == 0) {
    low -= 1;
    high += 1;
  } else if (high - low == 1) {
    low -= 1;
  }
}

// The first movement of a press takes hold of the corner opposite the grabbed one; from then on
// the selection spans it and the cursor.
void ResizeByCorner(CaptureState& state, modes::Resizing& resizing, POINT cursor) {
  const ScreenRect s = state.SelectionRect;
  if (!resizing.grip) {
    Grip grip;
    switch (resizing.handle) {
      case HitZone::TopLeft: grip.anchor = POINT{s.right, s.bottom}; break;
      case HitZone::TopRight: grip.anchor = POINT{s.left, s.bottom}; break;
      case HitZone::BottomLeft: grip.anchor = POINT{s.right, s.top}; break;
      default: grip.anchor = POINT{s.left, s.top}; break;
    }
    resizing.grip = grip;
    return;
  }
  const ScreenRect spanned = Spanned(resizing.grip->anchor.x, resizing.grip->anchor.y, cursor.x, cursor.y);
  state.SelectionRect = spanned;
  EnforceMinExtent(state.SelectionRect);
  resizing.drawn = spanned;
}

void ResizeByEdge(CaptureState& state, modes::Resizing& resizing, POINT cursor) {
  const ScreenRect s = state.SelectionRect;
  if (!resizing.grip) {
    Grip grip;
    grip.anchor = POINT{s.left, s.top};
    grip.span = SIZE{s.Width(), s.Height()};
    resizing.grip = grip;
  } else {
    POINT& anchor = resizing.grip->anchor;
    SIZE& span = resizing.grip->span;
    switch (resizing.handle) {
      case HitZone::Left: span.cx = anchor.x + span.cx - cursor.x, anchor.x = cursor.x; break;
      case HitZone::Right: span.cx = cursor.x - anchor.x; break;
      case HitZone::Top: span.cy = anchor.y + span.cy - cursor.y, anchor.y = cursor.y; break;
      default: span.cy = cursor.y - anchor.y; break;
    }
  }
  const Grip& grip = *resizing.grip;
  state.SelectionRect =
      Spanned(grip.anchor.x, grip.anchor.y, grip.anchor.x + grip.span.cx, grip.anchor.y + grip.span.cy);
  EnforceMinExtent(state.SelectionRect);
  resizing.drawn = state.SelectionRect;
}

// New origin on one axis, kept within [low, high); at an edge the grip offset is taken again so
// that turning back moves the selection at once.
std::int32_t ClampedOrigin(int cursor, LONG& offset, LONG span, int low, int high) {
  const int wanted = cursor + offset;
  if (wanted >= low && wanted + span <= high) return wanted;
  const std::int32_t origin = wanted >= low ? high - span : low;
  offset = origin - cursor;
  return origin;
}

ScreenRect At(std::int32_t left, std::int32_t top, SIZE span) {
  return ScreenRect{left, top, left + span.cx, top + span.cy};
}

void Move(CaptureState& state, modes::Moving& moving, POINT cursor, const std::vector<ScreenRect>& monitors) {
  ScreenRect& s = state.SelectionRect;
  if (!moving.grip) {
    Grip grip;
    grip.offset = POINT{s.left - cursor.x, s.top - cursor.y};
    grip.span = SIZE{s.Width(), s.Height()};
    moving.grip = grip;
  } else {
    Grip& grip = *moving.grip;
    const ScreenRect box = BoundingBox(monitors);
    const bool inBox = s.left >= box.left && s.left + grip.span.cx <= box.right && s.top >= box.top &&
                       s.top + grip.span.cy <= box.bottom;
    if (inBox) {
      const std::int32_t left = ClampedOrigin(cursor.x, grip.offset.x, grip.span.cx, box.left, box.right);
      const std::int32_t top = ClampedOrigin(cursor.y, grip.offset.y, grip.span.cy, box.top, box.bottom);
      // Wholly in a gap between monitors it would show nothing: each axis moves only as far as
      // keeps it on one.
      if (TouchesAny(At(left, top, grip.span), monitors)) {
        s.left = left, s.top = top;
      } else if (TouchesAny(At(left, s.top, grip.span), monitors)) {
        s.left = left;
      } else if (TouchesAny(At(s.left, top, grip.span), monitors)) {
        s.top = top;
      }
    }
  }
  s.right = s.left + moving.grip->span.cx;
  s.bottom = s.top + moving.grip->span.cy;
}

void Resize(CaptureState& state, modes::Resizing& resizing, POINT cursor) {
  switch (resizing.handle) {
    case HitZone::TopLeft: case HitZone::TopRight: case HitZone::BottomLeft: case HitZone::BottomRight:
      ResizeByCorner(state, resizing, cursor);
      break;
    case HitZone::Left: case HitZone::Right: case HitZone::Top: case HitZone::Bottom:
      ResizeByEdge(state, resizing, cursor);
      break;
    default:
      break;
  }
}

}  // namespace

void EnforceMinExtent(ScreenRect& rect) {
  WidenAxis(rect.left, rect.right);
  WidenAxis(rect.top, rect.bottom);
}

ScreenRect Spanned(int x1, int y1, int x2, int y2) {
  return ScreenRect{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

void FollowDrag(CaptureState& state, POINT cursor, const std::vector<ScreenRect>& monitors) {
  if (auto* drawing = state.As<modes::Drawing>()) {
    const ScreenRect spanned = Spanned(drawing->press.x, drawing->press.y, cursor.x, cursor.y);
    state.SelectionRect = spanned;
    EnforceMinExtent(state.SelectionRect);
    drawing->drawn = spanned;
  } else if (auto* resizing = state.As<modes::Resizing>()) {
    Resize(state, *resizing, cursor);
  } else if (auto* moving = state.As<modes::Moving>()) {
    Move(state, *moving, cursor, monitors);
  }
}
