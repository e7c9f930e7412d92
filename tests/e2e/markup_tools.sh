#!/usr/bin/env bash
# A user hides part of a capture and takes a colour: a mosaic dragged out with the tools box's
# button reaches the clipboard as flat blocks on the screen's grid, with every pixel around it
# as it was; C with the magnifier up puts the colour under the cursor on the clipboard as text,
# in the form its colour line shows, and the capture stays open.
source "$(dirname "$0")/lib.bash"

CELL=14  # the middle size's blocks

show_known_picture
start_program

press_start_button
drag 500 400 700 600
tools_box $MOSAIC
drag 540 440 640 520
clipboard_after_finish

# Outside the dragged rectangle (with 2 pixels to spare for where the drag's ends fall) the
# screen exactly.
mask=(-fill black -draw "rectangle 38,38 141,121")
convert "$WORK/screen.png" -crop 200x200+500+400 +repage "${mask[@]}" "$WORK/expected_out.png"
convert "$WORK/clip.bmp" "${mask[@]}" "$WORK/got_out.png"
off=$(compare -metric AE "$WORK/expected_out.png" "$WORK/got_out.png" null: 2>&1)
[ "$off" = "0" ] || fail "$off pixels changed outside the mosaic"
# Inside it every block of the grid (as much of it as lies 2 pixels inside) one flat colour.
blocks=0
for ((top = 442 / CELL * CELL; top < 518; top += CELL)); do
  for ((left = 542 / CELL * CELL; left < 638; left += CELL)); do
    x1=$(( left > 542 ? left : 542 )) y1=$(( top > 442 ? top : 442 ))
    x2=$(( left + CELL < 638 ? left + CELL : 638 )) y2=$(( top + CELL < 518 ? top + CELL : 518 ))
    colours=$(convert "$WORK/clip.bmp" -crop "$(( x2 - x1 ))x$(( y2 - y1 ))+$(( x1 - 500 ))+$(( y1 - 400 ))" \
              +repage -format '%k' info:)
    [ "$colours" = "1" ] || fail "the block at $left,$top holds $colours colours"
    blocks=$(( blocks + 1 ))
  done
done
convert "$WORK/clip.bmp" -crop 96x76+42+42 +repage "$WORK/under.png"
changed=$(differing_pixels 542 442 96 76 "$WORK/under.png")
[ "$changed" -gt 3000 ] || fail "only $changed pixels changed under the mosaic"
echo "PASS: a mosaic of $blocks flat blocks, every pixel around it as it was"

# Inside the picture's flat red square, off its white line: the pixel the magnifier samples is
# the one under the cursor whatever its zoom rounds to.
press_start_button
xdotool mousemove 530 452; sleep 0.5
read -r r g b <<<"$(picture_pixel 530 452)"
xdotool key c; sleep 0.5
text=$(wine "$BUILD/bin/clipdump.exe" --text 2>/dev/null | tr -d '\r')
[ "$text" = "RGB:($r,$g,$b)" ] || fail "C copied '$text', expected 'RGB:($r,$g,$b)'"
xdotool key shift; sleep 0.3
xdotool key c; sleep 0.5
text=$(wine "$BUILD/bin/clipdump.exe" --text 2>/dev/null | tr -d '\r')
hex=$(printf '#%02X%02X%02X' "$r" "$g" "$b")
[ "$text" = "$hex" ] || fail "C after Shift copied '$text', expected '$hex'"
read -r r2 g2 b2 <<<"$(screen_pixel 1500 900)"
read -r R G B <<<"$(picture_pixel 1500 900)"
[ $(( (r2 + g2 + b2) * 10 )) -lt $(( (R + G + B) * 7 )) ] || fail "the capture closed after C"
xdotool key Escape; sleep 0.5
echo "PASS: C copied '$hex' of the pixel under the cursor, the capture stayed open"
