#!/usr/bin/env bash
# What a user does by mistake or by chance loses nothing: a save dialog cancelled, a press on
# the dimmed screen dragged into the selection, a selection near the screen's bottom with the
# style bar shown, a clipboard another program holds for three seconds.
source "$(dirname "$0")/lib.bash"

show_known_picture
start_program

# A rectangle drawn, the save dialog opened and cancelled: the capture is as it was, and its
# finish holds the rectangle.
press_start_button
drag 500 400 700 600
toolbar $RECTANGLE
drag 530 430 650 560
toolbar $SAVE
wait_for_save_dialog
xdotool key Escape
wait_for_no_window '另存为|Save' "the save dialog"
sleep 0.5
clipboard_after_finish
diff=$(differing_pixels 500 400 200 200 "$WORK/clip.bmp")
[ "$diff" -gt 400 ] || fail "only $diff pixels changed: the rectangle was lost with the dialog"
off=$(differing_off_outline "$WORK/clip.bmp" 30 30 150 160)
[ "$off" = "0" ] || fail "$off pixels changed off the rectangle's outline"
echo "PASS: a cancelled save dialog kept the selection and its rectangle ($diff pixels)"

# A press on the dimmed screen dragged into the selection does not move it.
wine "$BUILD/bin/clipdump.exe" --clear >/dev/null 2>&1
press_start_button
drag 500 400 700 600
drag 300 300 600 500
xdotool key Return
expect_clipboard 500 400 200 200
echo "PASS: a press outside the selection, dragged into it, left it where it was"

# A selection ending 24 pixels above the screen's bottom, with a tool armed (the style bar
# shows): its bottom-middle handle shows and takes a drag.
wine "$BUILD/bin/clipdump.exe" --clear >/dev/null 2>&1
press_start_button
drag 500 700 700 1056
xdotool key r; sleep 0.5
read -r r g b <<<"$(screen_pixel 600 1056)"
[ "$r $g $b" = "0 174 255" ] || fail "the bottom-middle handle is hidden: ($r, $g, $b) at (600, 1056)"
drag 600 1056 600 1000
xdotool key Return
expect_clipboard 500 700 200 300
echo "PASS: the bottom-middle handle near the screen's bottom showed and resized the selection"

# Another program holds the clipboard for three seconds: the finish gives up after about two,
# says why, and keeps the capture; once the clipboard is free, finishing again lands.
wine "$BUILD/bin/clipdump.exe" --clear >/dev/null 2>&1
press_start_button
drag 500 400 700 600
held="$WORK/held"
wine "$BUILD/bin/clipholder.exe" 3000 >"$held" 2>/dev/null &
holder=$!
for _ in $(seq 50); do grep -q held "$held" 2>/dev/null && break; sleep 0.1; done
grep -q held "$held" || fail "the clipboard holder did not take the clipboard"
xdotool key Return
wait_for_window '复制失败' "the message naming the busy clipboard"
text=$(wine "$BUILD/bin/instances.exe" message 2>/dev/null | tr -d '\r')
case "$text" in *另一个程序正占用剪贴板*) ;; *) fail "the message does not name the reason: '$text'" ;; esac
read -r r g b <<<"$(screen_pixel 1500 900)"
read -r R G B <<<"$(picture_pixel 1500 900)"
[ $(( (r + g + b) * 10 )) -lt $(( (R + G + B) * 7 )) ] || fail "the overlay closed with the busy clipboard"
wait "$holder"
xdotool search --name '复制失败' windowactivate --sync key Return 2>/dev/null || xdotool key Return
wait_for_no_window '复制失败' "the message"
sleep 0.5
xdotool mousemove 600 500; sleep 0.3
xdotool key Return
expect_clipboard 500 400 200 200
echo "PASS: a clipboard held for three seconds kept the capture, said why, and the next finish landed"
