#!/usr/bin/env bash
# A user draws a selection, presses the toolbar's save button, names the file in the system's
# save dialog: the file holds exactly the selected pixels, in the format of the chosen filter.
source "$(dirname "$0")/lib.bash"

show_known_picture
start_program
press_start_button
drag 500 400 700 600
# The toolbar sits under the selection, right-aligned: its save button is at dx 170–192.
xdotool mousemove $(( 700 - 329 + 181 )) 618 click 1
wait_for_save_dialog
target="$WORK/saved"
xdotool type --delay 20 "$(winepath -w "$target")"
xdotool key Return
for _ in $(seq 150); do [ -s "$target.png" ] && break; sleep 0.2; done
[ -s "$target.png" ] || fail "no file written at $target.png"
sleep 0.5
[ "$(identify -format '%m %w %h' "$target.png")" = "PNG 200 200" ] || fail "not a 200 x 200 PNG"
diff=$(differing_pixels 500 400 200 200 "$target.png")
[ "$diff" = "0" ] || fail "$diff pixels differ from the screen"
echo "PASS: saved a 200 x 200 PNG of exactly the selection"
