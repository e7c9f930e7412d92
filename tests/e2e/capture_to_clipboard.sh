#!/usr/bin/env bash
# A user draws a selection and double-clicks it: the clipboard holds exactly those pixels.
source "$(dirname "$0")/lib.bash"

show_known_picture
start_program
press_start_button
import -window root "$WORK/overlay.png"
drag 500 400 700 600
xdotool mousemove 600 500; sleep 0.3
xdotool click --repeat 2 --delay 80 1

size=
for _ in $(seq 30); do
  sleep 1
  size=$(wine "$BUILD/bin/clipdump.exe" "$(winepath -w "$WORK/clip.bmp")" 2>/dev/null | tr -d '\r')
  [ -n "$size" ] && break
done
[ "$size" = "200 200" ] || fail "clipboard bitmap size '$size', expected '200 200'"
diff=$(differing_pixels 500 400 200 200 "$WORK/clip.bmp")
[ "$diff" = "0" ] || fail "$diff pixels differ from the screen"
xdotool search --name 'Vexo' >/dev/null || fail "the main window is gone"
echo "PASS: 200 x 200 selection copied exactly"
