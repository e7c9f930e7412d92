#!/usr/bin/env bash
# Several monitors, as a user has them: the overlay covers every one, and what is finished or
# saved is exactly the X server's picture there, black where no monitor shows anything.
source "$(dirname "$0")/lib.bash"
source "$(dirname "$0")/../../scripts/monitors.sh"
trap 'stop_monitor_display; cleanup' EXIT
export NO_WM=1   # a bare display: nothing constrains the overlay to one monitor

# A picture with detail everywhere on the X root window (the server keeps it: -noreset); Wine's
# screen copy reads it on every monitor.
open_layout() {  # layout
  stop_monitor_display
  start_monitor_display "$1" || fail "no display for $1"
  monitor_wine_prefix "$BUILD" || fail "no Wine prefix for $1"
  read -r w h <<<"$MONITOR_BOX"
  convert -size "${w}x${h}" -define gradient:angle=35 gradient:'#f0c020-#102080' -fill '#e03030' \
          -draw "rectangle 100,40 180,120" -fill white -draw "line 0,0 $w,$h" -depth 8 "$WORK/root.png"
  display -window root "$WORK/root.png" >/dev/null 2>&1
  start_program
}

# Virtual-screen coordinates in, X's out.
vmove() { xdotool mousemove $(x_point "$1" "$2"); }
vdrag() { drag $(x_point "$1" "$2") $(x_point "$3" "$4"); }

dimmed_at() {  # virtual x y: darker than the picture there
  local x y r g b R G B
  read -r x y <<<"$(x_point "$1" "$2")"
  read -r r g b <<<"$(screen_pixel "$x" "$y")"
  read -r R G B <<<"$(convert "$WORK/root.png" -crop "1x1+$x+$y" -depth 8 txt:- | tail -1 |
                       sed -E 's/.*\(([0-9]+),([0-9]+),([0-9]+).*/\1 \2 \3/')"
  [ $(( (r + g + b) * 10 )) -lt $(( (R + G + B) * 7 )) ]
}

# The start button of the main window, which lies at (50, 50) of the primary monitor. What the
# X server shows just before is kept as the picture to expect.
open_capture() {  # virtual x y that the overlay must dim
  wine "$BUILD/bin/clipdump.exe" --clear >/dev/null 2>&1
  vmove 240 122; sleep 0.5
  import -window root -depth 8 "$WORK/now.png"
  xdotool click 1
  for _ in $(seq 150); do dimmed_at "$@" && { sleep 0.5; return 0; }; sleep 0.2; done
  fail "the overlay did not open over virtual ($1, $2)"
}

# The X server's picture of virtual (x, y, w, h), black over the gaps given as "x y w h" each.
expected_picture() {  # x y w h [gap...]
  local x y gx gy gw gh draw=()
  read -r x y <<<"$(x_point "$1" "$2")"
  for gap in "${@:5}"; do
    read -r gx gy gw gh <<<"$gap"
    draw+=(-draw "rectangle $((gx - $1)),$((gy - $2)) $((gx - $1 + gw - 1)),$((gy - $2 + gh - 1))")
  done
  convert "$WORK/now.png" -crop "$3x$4+$x+$y" +repage -fill black "${draw[@]}" "$WORK/expected.png"
}

# The start button, pressed or not in the frozen copy depending on when the click is handled,
# is left out of every comparison: virtual (181, 88), 112 x 56.
without_button() {  # file x y (its top-left, virtual)
  convert "$1" -fill black -draw "rectangle $((181 - $2)),$((88 - $3)) $((181 - $2 + 111)),$((88 - $3 + 55))" \
          "$1.masked.png"
}

expect_picture_in() {  # file x y w h [gap...]
  local file=$1 size diff
  shift
  expected_picture "$@"
  size=$(identify -format '%w %h' "$file")
  [ "$size" = "$3 $4" ] || fail "$file is $size, not $3 $4"
  without_button "$WORK/expected.png" "$1" "$2"
  without_button "$file" "$1" "$2"
  diff=$(compare -metric AE "$WORK/expected.png.masked.png" "$file.masked.png" null: 2>&1)
  [ "$diff" = "0" ] || fail "$diff pixels of virtual ($1, $2, $3, $4) differ from the X server's"
}

# The capture has ended once the point shows undimmed again.
wait_for_close() {  # virtual x y
  for _ in $(seq 150); do dimmed_at "$@" || return 0; sleep 0.2; done
  fail "the overlay did not close"
}

expect_clipboard_picture() {  # x y w h [gap...]
  [ -n "$(clipboard_bitmap 30)" ] || fail "nothing on the clipboard for virtual ($1, $2, $3, $4)"
  wait_for_close "$1" "$2"
  expect_picture_in "$WORK/clip.bmp" "$@"
}

finish_and_expect() {  # x y w h [gap...]: double-click inside, then the clipboard
  vmove $(( $1 + $3 / 2 )) $(( $2 + $4 / 2 )); sleep 0.3
  xdotool click --repeat 2 --delay 80 1
  expect_clipboard_picture "$@"
}

# A primary of 800 x 600 and a second monitor of 1024 x 768 left of it and 168 higher: the
# virtual screen is (-1024, -168), 1824 x 768, and (0, -168)–(800, 0) is a gap.
open_layout "800x600+0+0*,1024x768+-1024+-168"
open_capture -900 500
dimmed_at 700 550 || fail "the primary is not under the overlay"
# From the secondary into the primary, over the gap's corner.
vdrag -250 -100 300 500
finish_and_expect -250 -100 550 600 "0 -168 800 168"
echo "PASS: a selection over both monitors and the gap between them is finished exactly"

# At the secondary's bottom edge nothing fits under the selection: the toolbar goes above it,
# on that monitor, right-aligned; its save button writes exactly the secondary's pixels.
open_capture -900 500
vdrag -700 450 -400 599   # the X pointer stops at 599, the last row
xdotool key ctrl+Down; sleep 0.5
vmove $(( -400 - 329 + 181 )) $(( 450 - 18 )); xdotool click 1
wait_for_save_dialog
xdotool type --delay 20 "$(winepath -w "$WORK/saved")"
xdotool key Return
for _ in $(seq 150); do [ -s "$WORK/saved.png" ] && break; sleep 0.2; done
[ -s "$WORK/saved.png" ] || fail "no file written by the toolbar above the selection"
wait_for_close -700 450
expect_picture_in "$WORK/saved.png" -700 450 300 150
echo "PASS: the toolbar of a selection at the secondary's bottom lies above it, and its save is exact"

# Ctrl+A: the monitor under the cursor, then the whole desktop.
open_capture -900 500
vmove -500 300; sleep 0.3
xdotool key ctrl+a; sleep 0.5
xdotool key Return
expect_clipboard_picture -1024 -168 1024 768
open_capture -900 500
vmove 400 300; sleep 0.3
xdotool key ctrl+a; sleep 0.5
xdotool key ctrl+a; sleep 0.5
xdotool key Return
expect_clipboard_picture -1024 -168 1824 768 "0 -168 800 168"
echo "PASS: Ctrl+A selects the monitor under the cursor, and again the whole desktop"

# Three monitors of different sizes, one above the primary: a selection finished on each.
open_layout "640x480+80+-480,800x600+0+0*,1024x768+-1024+-168"
for selection in "200 -400 300 200" "450 250 300 300" "-1000 -150 400 500"; do
  read -r x y w h <<<"$selection"
  open_capture "$x" "$y"
  vdrag "$x" "$y" $(( x + w )) $(( y + h ))
  finish_and_expect "$x" "$y" "$w" "$h"
done
echo "PASS: a selection on each of three monitors is finished exactly"
