#include "app/capture/CaptureState.h"

bool IsHandle(HitZone zone) {
  switch (zone) {
    case HitZone::TopLeft: case HitZone::Top: case HitZone::TopRight: case HitZone::Left:
    case HitZone::Right: case HitZone::BottomLeft: case HitZone::Bottom: case HitZone::BottomRight:
      return true;
    default:
      return false;
  }
}

bool CaptureState::SelectionMade() const { return !Is<modes::Looking>() && !Is<modes::Drawing>(); }

bool CaptureState::ButtonDown() const {
  return Is<modes::Drawing>() || Is<modes::Resizing>() || Is<modes::Moving>() || Is<modes::Annotating>();
}

bool CaptureState::PressLocked() const {
  return Is<modes::Resizing>() || Is<modes::Moving>() || Is<modes::Annotating>();
}

bool CaptureState::SkipNextRelease() const {
  const auto* looking = std::get_if<modes::Looking>(&mode);
  return looking && looking->skipRelease;
}

CaptureMode CaptureState::DragMode() const {
  if (Is<modes::Looking>() || Is<modes::Drawing>()) return CaptureMode::Draw;
  if (Is<modes::Resizing>()) return CaptureMode::Adjust;
  if (Is<modes::Moving>() || Is<modes::Annotating>()) return CaptureMode::Drag;
  // No press: what a press here would start.
  if (zone == HitZone::Inside) return CaptureMode::Drag;
  if (IsHandle(zone)) return CaptureMode::Adjust;
  return CaptureMode::None;
}
