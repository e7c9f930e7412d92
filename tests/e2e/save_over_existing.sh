#!/usr/bin/env bash
# Saving over files that exist, through the real dialog and the real question: a name typed
# without extension and a dotted name with another filter are both asked about as the file that
# is written; No keeps it byte for byte and brings the dialog back, Yes replaces it.
source "$(dirname "$0")/lib.bash"

open_save_dialog() {
  press_start_button
  drag 500 400 700 600
  xdotool mousemove $(( 700 - 329 + 181 )) 618 click 1
  wait_for_window '另存为|Save' "the save dialog"
  sleep 1
}
question_names() {  # file: the question is up and names the file
  wait_for_window '确认另存为' "the question about $1"
  sleep 0.5
  [ -n "${SHOT:-}" ] && import -window root "$SHOT"
  local text
  text=$(wine "$BUILD/bin/instances.exe" message 2>/dev/null | tr -d '\r')
  [[ "$text" == *"$(winepath -w "$1")"* ]] || fail "the question says '$text', not $1"
}

show_known_picture
start_program
convert -size 30x20 xc:blue "$WORK/shot.png"
cp "$WORK/shot.png" "$WORK/old.png"

# A name without extension, PNG filter: asked about shot.png. No keeps it and the dialog returns.
open_save_dialog
xdotool type --delay 20 "$(winepath -w "$WORK/shot")"
xdotool key Return
SHOT="$WORK/question.png" question_names "$WORK/shot.png"
xdotool key Return   # No is the default
wait_for_no_window '确认另存为' "the question"
wait_for_window '另存为|Save' "the save dialog, back after No"
cmp -s "$WORK/shot.png" "$WORK/old.png" || fail "answering No changed shot.png"
# Yes replaces it with the selection.
sleep 1
xdotool key Return
question_names "$WORK/shot.png"
xdotool key y
for _ in $(seq 150); do cmp -s "$WORK/shot.png" "$WORK/old.png" || break; sleep 0.2; done
sleep 0.5
[ "$(identify -format '%m %w %h' "$WORK/shot.png")" = "PNG 200 200" ] || fail "Yes did not replace shot.png"

# A dotted name with the GIF filter: asked about shot.gif, not about what was typed.
convert -size 30x20 xc:red "$WORK/shot.gif"
for _ in $(seq 50); do [ "$(wine "$BUILD/bin/instances.exe" list 2>/dev/null | awk '{print $2, $3}' | tr -d '\r')" = "enabled -" ] && break; sleep 0.2; done
open_save_dialog
xdotool type --delay 20 "$(winepath -w "$WORK/shot.old.jpg")"
xdotool key Tab alt+Down End Return
sleep 0.5
xdotool key shift+Tab Return
question_names "$WORK/shot.gif"
xdotool key y
for _ in $(seq 150); do [ "$(identify -format '%w' "$WORK/shot.gif" 2>/dev/null)" = 200 ] && break; sleep 0.2; done
[ "$(identify -format '%m %w %h' "$WORK/shot.gif")" = "GIF 200 200" ] || fail "shot.gif was not replaced"
[ -e "$WORK/shot.old.jpg" ] && fail "the typed name was written"
echo "PASS: the question names the file written; No keeps it, Yes replaces it"
