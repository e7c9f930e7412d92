#pragma once
// Everything one capture knows about the user's interaction: the selection, where the bars and
// the menu lie, and what the mouse is doing, as one value (CaptureState::mode). The older names
// for the same facts (CaptureMode, the flags) are derived from it where they are still read.

#include <windows.h>

#include <optional>
#include <string>
#include <variant>

#include "win/ScreenRect.h"

// What a left-button drag does.
enum class CaptureMode { None, Draw, Adjust, Drag };
// Where the cursor is relative to the selection, the toolbar and the menu.
enum class HitZone {
  None, Outside, Inside, TopLeft, Top, TopRight, Left, Right, BottomLeft, Bottom, BottomRight, Toolbar, Menu
};
bool IsHandle(HitZone zone);

// How a held handle or inside follows the cursor, taken at the first move of the press: the
// corner or the edges that stay put, or the grip's offset from the selection's top-left.
struct Grip {
  POINT anchor{};  // corner resize: the opposite corner; edge resize: the top-left
  POINT offset{};  // moving: selection's top-left minus the cursor
  SIZE span{};     // edge resize and moving: the selection's extent
};

// The modes of the overlay, one at a time.
namespace modes {
// No selection: the pointer looks for a start point, or a window to pick with a click.
// `skipRelease`: the release of the click that chose "reselect" is still to come.
struct Looking {
  bool skipRelease = false;
};
// The left button went down with no selection: a drag draws one from the press point. `drawn`
// is what the drag spans so far, before the minimum extent is applied (none before it moves).
struct Drawing {
  POINT press{};
  std::optional<ScreenRect> drawn;
};
// A selection, and no press on it.
struct Selected {};
// A handle is held. `drawn` as for Drawing.
struct Resizing {
  HitZone handle = HitZone::None;
  std::optional<Grip> grip;
  std::optional<ScreenRect> drawn;
};
// The inside is held: the selection follows the cursor, kept on the screen.
struct Moving {
  std::optional<Grip> grip;
};
// The context menu is open over the selection.
struct MenuOpen {};
// The armed annotation tool has the press.
struct Annotating {};
}  // namespace modes

using Mode = std::variant<modes::Looking, modes::Drawing, modes::Selected, modes::Resizing, modes::Moving,
                          modes::MenuOpen, modes::Annotating>;

struct CaptureState {
  Mode mode;
  ScreenRect SelectionRect;
  ScreenRect ToolbarRect;   // empty while no toolbar is shown
  ScreenRect ToolsBoxRect;  // the box of the further tools beside the toolbar; empty with it
  ScreenRect StyleBarRect;  // the bar of sizes and colours by the toolbar while a tool is armed
  ScreenRect MenuRect;      // empty while no menu is open
  HitZone zone = HitZone::None;
  bool toolsHidden = false;  // the menu hid the toolbar and the style bar
  bool hexColour = false;    // the magnifier names its colour #RRGGBB instead of RGB:(r,g,b)
  bool shiftAlone = false;   // Shift is down and no other key was pressed since
  std::string shownColour;   // the magnifier's colour line as last drawn; empty while it is hidden
  // Where the zone was last found; none until the first hit test of a selection.
  std::optional<POINT> lastCursor;

  template <typename M>
  bool Is() const { return std::holds_alternative<M>(mode); }
  template <typename M>
  M* As() { return std::get_if<M>(&mode); }

  // The flags and mode of the old names, derived.
  bool SelectionMade() const;
  bool ButtonDown() const;
  bool PressLocked() const;
  bool MenuShown() const { return Is<modes::MenuOpen>(); }
  bool SkipNextRelease() const;
  CaptureMode DragMode() const;

  // The menu closes (or stays closed) over the selection, its rectangle gone with it.
  void CloseMenu() {
    mode = modes::Selected{};
    MenuRect = ScreenRect{};
  }
};
