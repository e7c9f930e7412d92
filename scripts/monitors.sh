# A display of several monitors for black-box tests, and a Wine prefix that sees them. Sourced;
# sets no traps: call stop_monitor_display when done. Needs display.sh and prefix.sh (sourced here).
#
# A layout is a comma-separated list of monitors, WxH+X+Y each, in Windows' virtual-screen
# coordinates: the primary, marked with a trailing '*', lies at +0+0 and the others around it
# (negative offsets are written +-N). "800x600+0+0*,1024x768+-1024+-168" is a primary of
# 800 x 600 and a second monitor of 1024 x 768 to its left, 168 pixels higher.
#
# The X screen is the layout's bounding box, so X's (0, 0) is its top-left corner, while Wine
# puts the primary at (0, 0): a point (x, y) of the virtual screen is X's
# (x + MONITOR_SHIFT_X, y + MONITOR_SHIFT_Y) (x_point prints it), for xdotool and import.
source "$(dirname "${BASH_SOURCE[0]}")/display.sh"
source "$(dirname "${BASH_SOURCE[0]}")/prefix.sh"

MONITORS=()          # "W H X Y" of each monitor, in the layout's order (Xinerama's order too)
MONITOR_PRIMARY=     # index of the primary in MONITORS
MONITOR_SHIFT_X= MONITOR_SHIFT_Y=
MONITOR_BOX=         # "W H" of the bounding box: the X screen's size

# Fills the variables above; fails on a layout that is not one.
parse_layout() {  # layout
  local entry w h x y left=0 top=0 right=0 bottom=0 i=0 entries
  MONITORS=() MONITOR_PRIMARY=
  IFS=, read -ra entries <<<"$1"
  for entry in "${entries[@]}"; do
    [[ "$entry" =~ ^([0-9]+)x([0-9]+)\+(-?[0-9]+)\+(-?[0-9]+)(\*?)$ ]] \
      || { echo "== not a monitor: '$entry' (WxH+X+Y, '*' after the primary)" >&2; return 1; }
    w=${BASH_REMATCH[1]} h=${BASH_REMATCH[2]} x=${BASH_REMATCH[3]} y=${BASH_REMATCH[4]}
    [ "$w" -gt 0 ] && [ "$h" -gt 0 ] || { echo "== an empty monitor: '$entry'" >&2; return 1; }
    if [ -n "${BASH_REMATCH[5]}" ]; then
      [ -z "$MONITOR_PRIMARY" ] || { echo "== two primaries in '$1'" >&2; return 1; }
      [ "$x" -eq 0 ] && [ "$y" -eq 0 ] || { echo "== the primary must lie at +0+0: '$entry'" >&2; return 1; }
      MONITOR_PRIMARY=$i
    fi
    MONITORS+=("$w $h $x $y")
    (( x < left )) && left=$x; (( y < top )) && top=$y
    (( x + w > right )) && right=$((x + w)); (( y + h > bottom )) && bottom=$((y + h))
    i=$((i + 1))
  done
  [ -n "$MONITOR_PRIMARY" ] || { echo "== no primary ('*') in '$1'" >&2; return 1; }
  MONITOR_SHIFT_X=$((-left)) MONITOR_SHIFT_Y=$((-top))
  MONITOR_BOX="$((right - left)) $((bottom - top))"
}

x_point() { echo "$(($1 + MONITOR_SHIFT_X)) $(($2 + MONITOR_SHIFT_Y))"; }  # virtual x y

# Xvfb with one screen of the bounding box, the monitors defined on it with RandR 1.5 (the first
# claims the screen's output, the others none; Wine reads them through Xinerama in this order),
# and the window manager unless NO_WM=1. Sets DISPLAY.
start_monitor_display() {  # layout
  parse_layout "$1" || return 1
  local w h x y i=0 output
  read -r w h <<<"$MONITOR_BOX"
  # -noreset: the monitors are the server's state, lost if it reset when its last client left.
  start_xvfb "${w}x${h}" -noreset || return 1
  output=$(xrandr 2>/dev/null | awk '$2 == "connected" { print $1; exit }')
  for i in "${!MONITORS[@]}"; do
    read -r w h x y <<<"${MONITORS[$i]}"
    # 96 dots per inch: sizes in millimetres.
    xrandr --setmonitor "monitor$i" "$w/$((w * 254 / 960))x$h/$((h * 254 / 960))+$((x + MONITOR_SHIFT_X))+$((y + MONITOR_SHIFT_Y))" \
      "$( [ "$i" -eq 0 ] && echo "$output" || echo none)" >/dev/null 2>&1 \
      || { echo "== xrandr could not set monitor $i on $DISPLAY" >&2; stop_xvfb; return 1; }
  done
  [ "$(xrandr --listmonitors 2>/dev/null | head -1)" = "Monitors: ${#MONITORS[@]}" ] \
    || { echo "== $DISPLAY does not show ${#MONITORS[@]} monitors" >&2; stop_xvfb; return 1; }
  start_window_manager || { stop_xvfb; return 1; }
}

# The prefix of the build tree for several monitors (made once, set up as the main one), its
# Wine server started afresh on this display: Wine takes the monitors and the primary when its
# server starts. Call after start_monitor_display.
monitor_wine_prefix() {  # build directory
  prefix_environment "$(cd "$1" && pwd)/wineprefix-monitors"
  wineserver -k >/dev/null 2>&1
  if ! prefix_ready; then
    echo "== creating Wine prefix $WINEPREFIX" >&2
    rm -rf "$WINEPREFIX"
    { wineboot -i && wineserver -w && configure_prefix "$1"; } >/dev/null 2>&1 \
      || { echo "== setting up $WINEPREFIX failed" >&2; return 1; }
    mark_prefix_ready
  fi
  local managed=Y; [ -n "${NO_WM:-}" ] && managed=N   # a bare display manages nothing
  # Xvfb's RandR has one output whatever monitors are set on it: Wine reads the monitors through
  # Xinerama only when it is told not to use RandR.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /d N /f >/dev/null 2>&1 &&
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v PrimaryMonitor /d "$MONITOR_PRIMARY" /f >/dev/null 2>&1 &&
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$managed" /f >/dev/null 2>&1 || return 1
  wineserver -w   # saved, and the server gone: the next one starts with this layout
  wineserver -p >/dev/null 2>&1
  wine cmd /c exit </dev/null >/dev/null 2>&1   # Wine's services, detached from the caller's output
}

stop_monitor_display() {
  [ -n "${WINEPREFIX:-}" ] && [ "${WINEPREFIX%-monitors}" != "$WINEPREFIX" ] && wineserver -k >/dev/null 2>&1
  stop_xvfb
}
