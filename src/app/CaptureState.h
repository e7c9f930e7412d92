#pragma once
// Everything one capture knows about the user's interaction, in one place with one reset.

#include <cstdint>
#include <limits>

// Left, top, right, bottom in screen pixels.
struct ScreenRect {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const ScreenRect& other) const {
    return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
  }
  bool operator!=(const ScreenRect& other) const { return !(*this == other); }
};

// What a left-button drag does.
enum class CaptureMode { None, Draw, Adjust, Drag };
// Where the cursor is relative to the selection, the toolbar and the menu.
enum class HitZone {
  None, Outside, Inside, TopLeft, Top, TopRight, Left, Right, BottomLeft, Bottom, BottomRight, Toolbar, Menu
};

// The program's own texts for the modes and zones ("绘制", "外部", ...; empty for None).
const char* Label(CaptureMode mode);
const char* Label(HitZone zone);
bool IsHandle(HitZone zone);

// -1 means unset. Drawing and corner resizing use the anchor; edge resizing the anchor and
// spans; moving the offset (cursor to top-left) and spans.
struct DragState {
  std::int32_t anchorX = -1, anchorY = -1, offsetX = -1, offsetY = -1, spanX = -1, spanY = -1;
  void Reset() { *this = DragState{}; }
};

// No cursor has been hit-tested yet: no real position equals it.
constexpr std::int32_t kNoCursor = std::numeric_limits<std::int32_t>::min();

struct CaptureState {
  // Every field back to how a capture starts. Each opening and each ending runs it, so nothing
  // one capture knew (a flag, a rectangle, a half-done drag) reaches the next.
  void Reset() { *this = CaptureState{}; }

  ScreenRect SelectionRect;
  ScreenRect ToolbarRect;
  ScreenRect StyleBarRect;  // the bar of sizes and colours under the toolbar while a tool is armed
  ScreenRect MenuRect;
  CaptureMode mode = CaptureMode::None;
  HitZone zone = HitZone::None;
  HitZone grabbedZone = HitZone::None;
  DragState drag;
  std::int32_t selectionMade = 0;
  std::int32_t buttonDown = 0;
  std::int32_t pressLocked = 0;
  std::int32_t menuShown = 0;
  std::int32_t skipNextRelease = 0;
  bool toolsHidden = false;  // the menu hid the toolbar and the style bar
  std::int32_t lastCursorX = kNoCursor;
  std::int32_t lastCursorY = kNoCursor;
};

// The one capture state of the process.
CaptureState& Capture();
