#!/usr/bin/env bash
# Saving into a folder whose name is 75 Chinese characters, given to the real dialog: the
# path is some 280 bytes of UTF-8, and the file must land in that folder under its whole
# name, holding exactly the selection.
source "$(dirname "$0")/lib.bash"

folder="$WORK/$(for _ in $(seq 25); do printf '长路径'; done)"
mkdir "$folder"
show_known_picture
start_program
press_start_button
drag 500 400 700 600
xdotool mousemove $(( 700 - 329 + 181 )) 618 click 1
wait_for_save_dialog
type_file_name "$(winepath -w "$folder")\\截图长路径保存测试"
xdotool key Return
target="$folder/截图长路径保存测试.png"
for _ in $(seq 150); do [ -s "$target" ] && break; sleep 0.2; done
[ -s "$target" ] || fail "no file in the folder: $(ls "$WORK" "$folder" | tr '\n' ' ')"
sleep 0.5
[ "$(identify -format '%m %w %h' "$target")" = "PNG 200 200" ] || fail "not a 200 x 200 PNG"
diff=$(differing_pixels 500 400 200 200 "$target")
[ "$diff" = "0" ] || fail "$diff pixels differ from the screen"
[ "$(ls "$WORK" | grep -c '^长路径')" = 1 ] || fail "something was written beside the folder"
echo "PASS: saved whole into a folder of 75 Chinese characters"
