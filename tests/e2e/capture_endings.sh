#!/usr/bin/env bash
# Every way a capture ends gives the main window back, ready for one press to start the next
# capture, and nothing of the ended capture reaches the next: the system's close (Alt+F4), a
# reselect cut short by Esc, a save, and a save that failed from the menu.
source "$(dirname "$0")/lib.bash"

instances() { wine "$BUILD/bin/instances.exe" "$@" 2>/dev/null | tr -d '\r'; }
# "enabled - front" when idle with the main window in front, "disabled overlay ..." while open.
program_state() { instances list | awk '{ print $2, $3, $4 }'; }
expect_state() {  # state what
  local state
  for _ in $(seq 50); do state=$(program_state); [ "$state" = "$1" ] && return 0; sleep 0.2; done
  fail "$2: the program is '$state', expected '$1'"
}
expect_open() { expect_state "disabled overlay -" "$1"; sleep 0.5; }
expect_idle() { expect_state "enabled - front" "$1"; }
# The toolbar's fill colour near its top-left corner, for a selection whose bottom-right corner is
# at (right, bottom): the toolbar is shown under it.
toolbar_under() { [ "$(screen_pixel $(( $1 - 329 + 14 )) $(( $2 + 10 )))" = "222 238 255" ]; }

show_known_picture
start_program

# Alt+F4 ends the capture; the next one starts clean: a double click finds no selection of the
# last capture to copy.
press_start_button
drag 500 400 700 600
xdotool key alt+F4
expect_idle "after Alt+F4"
press_start_button
expect_open "the capture after Alt+F4"
xdotool mousemove 600 500 click --repeat 2 --delay 80 1
sleep 1.5
wine "$BUILD/bin/clipdump.exe" "$(winepath -w "$WORK/clip.bmp")" >/dev/null 2>&1 \
  && fail "the selection of the capture closed by Alt+F4 was copied"
[ "$(program_state)" = "enabled - front" ] || { xdotool key Escape; expect_idle "after Esc"; }

# Reselect chosen from the menu, Esc before the button comes up: the next capture's first
# selection gets its toolbar.
press_start_button
drag 500 400 700 600
xdotool mousemove 550 450 click 3
sleep 1
xdotool mousemove $(( 554 + 60 )) $(( 454 + 150 )) mousedown 1
sleep 0.5
xdotool key Escape
xdotool mouseup 1
expect_idle "after Esc during reselect"
press_start_button
drag 300 300 600 500
toolbar_under 600 500 || fail "the first selection after an interrupted reselect has no toolbar"
xdotool key Escape
expect_idle "after Esc"

# A save from the menu into a folder that takes no file: reported, and the menu is gone.
press_start_button
drag 500 400 700 600
xdotool mousemove 550 450 click 3
sleep 1
xdotool mousemove $(( 554 + 60 )) $(( 454 + 190 )) click 1
wait_for_save_dialog
xdotool type --delay 20 'Z:\sys\shot'
xdotool key Return
wait_for_window '保存失败'
xdotool key Return
sleep 1
xdotool mousemove 40 80
sleep 1
[ "$(screen_pixel 60 100)" = "255 255 255" ] && fail "a menu opened at the screen's corner after the failed save"
toolbar_under 700 600 || fail "the selection's toolbar is not back after the failed save"

# A save that works ends the capture, and one press starts the next.
xdotool mousemove $(( 700 - 329 + 181 )) 618 click 1
wait_for_save_dialog
xdotool type --delay 20 "$(winepath -w "$WORK/saved")"
xdotool key Return
for _ in $(seq 150); do [ -s "$WORK/saved.png" ] && break; sleep 0.2; done
[ -s "$WORK/saved.png" ] || fail "no file written"
expect_idle "after the save"
press_start_button
expect_open "one press after the save"
xdotool key Escape
expect_idle "after Esc"
echo "PASS: Alt+F4, reselect + Esc, a failed and a good save each leave the program ready"
