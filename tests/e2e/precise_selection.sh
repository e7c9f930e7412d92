#!/usr/bin/env bash
# A selection placed from the keyboard and finished with Enter; a window picked with one click in
# a capture started by Ctrl+Alt+A while another program had the keyboard.
source "$(dirname "$0")/lib.bash"

instances() { wine "$BUILD/bin/instances.exe" "$@" 2>/dev/null | tr -d '\r'; }
expect_idle() {
  for _ in $(seq 50); do [ "$(instances list | awk '{ print $3 }')" = "-" ] && return 0; sleep 0.2; done
  fail "$1: the capture is still open"
}
undimmed() { [ "$(screen_pixel "$1" "$2")" = "$(picture_pixel "$1" "$2")" ]; }

show_known_picture 900 200 400 300
start_program

# The press at (500, 400), its end ten steps of ten to the right and down; then the selection
# three steps to the right and its bottom edge one pixel down.
press_start_button
xdotool mousemove 500 400; sleep 0.3
xdotool mousedown 1; sleep 0.3
key_times 20 shift+Right
key_times 20 shift+Down
sleep 0.5
xdotool mouseup 1; sleep 1
key_times 3 shift+Right
xdotool key ctrl+Down; sleep 0.5
xdotool key Return
expect_clipboard 530 400 200 201
expect_idle "after Enter"

# Wine registers hot keys in its own server, not with the X server: it sees Ctrl+Alt+A only when
# the X keyboard focus is on a Wine window. A click on the other program's window gives it the
# keyboard; from there the combination reaches us, and the overlay takes the keyboard.
wine "$BUILD/bin/clipdump.exe" --clear >/dev/null 2>&1
xdotool mousemove 1000 300 click 1; sleep 1
xdotool key ctrl+alt+a
wait_for_overlay
xdotool mousemove 1100 350; sleep 1
undimmed 920 220 || fail "the window under the cursor is not shown undimmed"
undimmed 400 800 && fail "the screen outside the window is not dimmed"
xdotool click 1; sleep 1
xdotool key Return
expect_clipboard 900 200 400 300
expect_idle "after Enter on the picked window"
echo "PASS: a selection placed by keys and a window picked by a click, in a capture started by Ctrl+Alt+A"
