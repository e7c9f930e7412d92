#!/usr/bin/env bash
# The several-monitor set-up of scripts/monitors.sh: Wine reports each layout's monitors where the
# layout puts them, the primary at (0, 0) whichever place it has in the list, and the virtual
# screen as their bounding box. It also notes whether a copy of the screen's DC reads the X
# server's picture on a secondary monitor.
source "$(dirname "$0")/lib.bash"
source "$(dirname "$0")/../../scripts/monitors.sh"
trap 'stop_monitor_display; cleanup' EXIT

expect_monitors() {  # layout, then the lines tools/monitors should print (in any order)
  local layout=$1 got want
  shift
  stop_monitor_display
  start_monitor_display "$layout" || fail "no display for $layout"
  monitor_wine_prefix "$BUILD" || fail "no Wine prefix for $layout"
  got=$(wine "$BUILD/bin/monitors.exe" 2>/dev/null | tr -d '\r' | sort)
  want=$(printf '%s\n' "$@" | sort)
  [ "$got" = "$want" ] || fail "$layout: Wine reports
$got
instead of
$want"
  echo "PASS: $layout"
}

expect_monitors "800x600+0+0*,1024x768+-1024+-168" \
  "count 2" "virtual -1024 -168 1824 768" "monitor 0 0 800 600 primary" "monitor -1024 -168 1024 768"

# A picture on the X root window (the server keeps it: -noreset), read through Wine's screen DC.
convert -size 1824x768 -define gradient:angle=35 gradient:'#f0c020-#102080' -fill '#e03030' \
        -draw 'rectangle 100,40 180,120' -depth 8 "$WORK/root.png"
display -window root "$WORK/root.png" >/dev/null 2>&1
for point in "-900 -100" "-1000 -160" "400 300"; do
  read -r vx vy <<<"$point"
  read -r x y <<<"$(x_point "$vx" "$vy")"
  through_wine=$(wine "$BUILD/bin/monitors.exe" pixel "$vx" "$vy" 2>/dev/null | tr -d '\r')
  on_x=$(screen_pixel "$x" "$y")
  if [ "$through_wine" = "$on_x" ]; then verdict="reads X's picture"; else verdict="differs from X's picture"; fi
  echo "NOTE: virtual ($vx, $vy), X ($x, $y): Wine's screen copy gives '$through_wine', X '$on_x': $verdict"
done

# Three monitors, one above the primary, the primary second in the list.
expect_monitors "640x480+80+-480,800x600+0+0*,1024x768+-1024+-168" \
  "count 3" "virtual -1024 -480 1824 1080" "monitor 80 -480 640 480" "monitor 0 0 800 600 primary" \
  "monitor -1024 -168 1024 768"
