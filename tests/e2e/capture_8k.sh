#!/usr/bin/env bash
# On a 7680 x 4320 screen a user opens the overlay, draws a selection across most of it and
# double-clicks: the clipboard holds exactly those pixels. The 32-bit program holds every
# screen-sized surface of that screen at once. It runs on a display and Wine server of its own
# (Wine takes the screen's size when its server starts), in the second prefix of the build tree.
# It is the black-box test that runs without a window manager: its display is bare Xvfb and the
# second prefix leaves every window to Wine (Managed=N), as the tests ran before they had one.
source "$(dirname "$0")/lib.bash"
source "$(dirname "$0")/../../scripts/plain-prefix.sh"

SIZE=7680x4320
XVFB_8K=
stop_8k() {
  cleanup
  [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1
  [ -n "$XVFB_8K" ] && kill "$XVFB_8K" 2>/dev/null && wait "$XVFB_8K" 2>/dev/null
}
trap stop_8k EXIT

number="$WORK/display"
Xvfb -displayfd 3 -screen 0 "${SIZE}x24" -nolisten tcp 3>"$number" >/dev/null 2>&1 &
XVFB_8K=$!
for _ in $(seq 100); do [ -s "$number" ] && break; sleep 0.1; done
[ -s "$number" ] || fail "no display of $SIZE"
export DISPLAY=":$(cat "$number")"
plain_wine_prefix "$BUILD"

# Detail everywhere, so that a crop one pixel off cannot match.
convert -size $SIZE -define gradient:angle=35 gradient:'#f0c020-#102080' \( -size $SIZE pattern:checkerboard \) \
        -compose Multiply -composite -fill '#e03030' -draw 'rectangle 5520,3420 5560,3460' \
        -fill white -draw 'line 1000,800 7400,4100' -depth 8 -type TrueColor "$WORK/screen.png"
convert "$WORK/screen.png" -type TrueColor BMP3:"$WORK/screen.bmp"
wine "$BUILD/bin/backdrop.exe" "$(winepath -w "$WORK/screen.bmp")" >/dev/null 2>&1 &
BACKDROP_PID=$!
for _ in $(seq 100); do xdotool search --name '^backdrop$' >/dev/null 2>&1 && break; sleep 0.2; done
sleep 1

start_program
press_start_button
drag 1000 800 7400 4100
xdotool mousemove 4200 2450; sleep 0.5
xdotool click --repeat 2 --delay 80 1

expect_clipboard 1000 800 6400 3300 60
xdotool search --name 'Vexo' >/dev/null || fail "the main window is gone"
peak=$(awk '/VmHWM/ { printf "%d MB", $2 / 1024 }' "/proc/$PROGRAM_PID/status" 2>/dev/null)
echo "PASS: 6400 x 3300 selection of a $SIZE screen copied exactly (peak resident ${peak:-unknown})"
