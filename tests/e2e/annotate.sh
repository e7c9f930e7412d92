#!/usr/bin/env bash
# A user annotates through the real toolbar: a rectangle drawn inside the selection reaches the
# clipboard on its outline only; undone before finishing, the clipboard holds the screen exactly;
# text typed into a text box reaches the saved file, within its box.
source "$(dirname "$0")/lib.bash"

show_known_picture
start_program

press_start_button
drag 500 400 700 600
toolbar $RECTANGLE
drag 530 430 650 560
clipboard_after_finish
diff=$(differing_pixels 500 400 200 200 "$WORK/clip.bmp")
[ "$diff" -gt 400 ] || fail "only $diff pixels changed: no rectangle"
off=$(differing_off_outline "$WORK/clip.bmp" 30 30 150 160)
[ "$off" = "0" ] || fail "$off pixels changed off the rectangle's outline"
echo "PASS: a rectangle changed $diff pixels, all on its outline"

press_start_button
drag 500 400 700 600
toolbar $RECTANGLE
drag 530 430 650 560
toolbar $UNDO
clipboard_after_finish
diff=$(differing_pixels 500 400 200 200 "$WORK/clip.bmp")
[ "$diff" = "0" ] || fail "$diff pixels differ from the screen after undo"
echo "PASS: undone before finishing, the screen exactly"

press_start_button
drag 500 400 700 600
toolbar $TEXT
xdotool mousemove 530 550 click 1; sleep 0.5
xdotool type --delay 60 "Hi there"
sleep 0.5
toolbar $SAVE
wait_for_save_dialog
target="$WORK/typed"
type_file_name "$(winepath -w "$target")"
xdotool key Return
for _ in $(seq 150); do [ -s "$target.png" ] && break; sleep 0.2; done
[ -s "$target.png" ] || fail "no file written at $target.png"
sleep 0.5
diff=$(differing_pixels 500 400 200 200 "$target.png")
[ "$diff" -gt 100 ] || fail "only $diff pixels changed: no text"
# Everything outside the text's box (from the click, one line of the middle size) as it was, and
# red inside it (the picture has none there).
box="rectangle 24,144 199,192"
convert "$WORK/screen.png" -crop 200x200+500+400 +repage -fill black -draw "$box" "$WORK/expected_box.png"
convert "$target.png" -fill black -draw "$box" "$WORK/got_box.png"
off=$(compare -metric AE "$WORK/expected_box.png" "$WORK/got_box.png" null: 2>&1)
[ "$off" = "0" ] || fail "$off pixels changed outside the text's box"
red=$(convert "$target.png" -crop 176x49+24+144 +repage -fx 'r > 0.8 && g < 0.3 && b < 0.3 ? 1 : 0' \
      -format '%[fx:round(mean*w*h)]' info:)
[ "$red" -gt 40 ] || fail "only $red red pixels: the text is not there"
echo "PASS: typed text saved, $diff pixels changed within its box"
