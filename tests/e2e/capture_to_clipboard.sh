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

expect_clipboard 500 400 200 200 30
xdotool search --name 'Vexo' >/dev/null || fail "the main window is gone"
echo "PASS: 200 x 200 selection copied exactly"
