#!/usr/bin/env bash
# A user pins a selection with F3: it floats where it was taken with exactly the screen's pixels
# and a border around them, the wheel zooms it, Esc closes it, and the program then holds the GDI
# and USER objects it held before.
source "$(dirname "$0")/lib.bash"

instances() { wine "$BUILD/bin/instances.exe" "$@" 2>/dev/null | tr -d '\r'; }
# "GDI USER PINS" of the program.
handles() { instances handles "$PID"; }
pins() { handles | awk '{ print $3 }'; }
expect_pins() {  # count what
  for _ in $(seq 50); do [ "$(pins)" = "$1" ] && return 0; sleep 0.2; done
  fail "$2: $(pins) pins, expected $1"
}
pin_selection() {
  press_start_button
  drag 500 400 700 600
  xdotool key F3
  expect_pins 1 "after F3"
  sleep 1
}
pin_size() { xdotool search --name '^贴图$' getwindowgeometry 2>/dev/null | awk '/Geometry/ { print $2 }'; }

show_known_picture
start_program
PID=$(instances list | awk 'NR == 1 { print $1 }')
[ -n "$PID" ] || fail "no program found"

# The first pin makes what the program then keeps for its whole life (the window class, say).
pin_selection
xdotool key Escape
expect_pins 0 "after the first pin's Esc"
sleep 1
read -r gdi_before user_before _ <<<"$(handles)"
[ "$user_before" -gt 0 ] || fail "the program's USER objects cannot be counted"

pin_selection
import -window root -crop 200x200+500+400 +repage "$WORK/pin.png"
diff=$(differing_pixels 500 400 200 200 "$WORK/pin.png")
[ "$diff" = "0" ] || fail "$diff pinned pixels differ from the screen"
[ "$(screen_pixel 499 399)" = "0 174 255" ] || fail "no border at the pin's corner: $(screen_pixel 499 399)"
[ "$(pin_size)" = "202x202" ] || fail "the pin is $(pin_size), expected 202x202"
[ -z "$(clipboard_bitmap 1)" ] || fail "pinning put the selection on the clipboard"

xdotool mousemove 600 500; sleep 0.3
xdotool click 4; sleep 1
[ "$(pin_size)" = "252x252" ] || fail "one notch of the wheel made the pin $(pin_size), expected 252x252 (125 %)"
[ "$(screen_pixel 474 374)" = "0 174 255" ] || fail "the pin did not grow around the cursor"

xdotool key Escape
expect_pins 0 "after Esc"
for _ in $(seq 25); do
  read -r gdi_after user_after _ <<<"$(handles)"
  [ "$gdi_after" = "$gdi_before" ] && [ "$user_after" = "$user_before" ] && break
  sleep 0.2
done
[ "$user_after" = "$user_before" ] || fail "USER objects: $user_before before the pin, $user_after after"
if [ "$gdi_before" = "-1" ]; then
  echo "note: GDI objects cannot be counted here" >&2
else
  [ "$gdi_after" = "$gdi_before" ] || fail "GDI objects: $gdi_before before the pin, $gdi_after after"
fi
echo "PASS: F3 pinned 200 x 200 exact pixels, the wheel zoomed it, Esc closed it; GDI $gdi_after, USER $user_after as before"
