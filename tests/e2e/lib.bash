# Shared by the black-box tests: run the real program on the test display and drive it with
# xdotool, as a user would. Sourced; expects DISPLAY and WINEPREFIX from scripts/test.
set -u
BUILD=${1:?build directory}
WORK=$(mktemp -d)
PROGRAM_PID=
BACKDROP_PID=

cleanup() {
  [ -n "$PROGRAM_PID" ] && kill "$PROGRAM_PID" 2>/dev/null
  [ -n "$BACKDROP_PID" ] && kill "$BACKDROP_PID" 2>/dev/null
  [ -n "${KEEP_E2E:-}" ] && echo "kept $WORK" >&2 || rm -rf "$WORK"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# A picture with detail everywhere, shown full-screen behind the program (a Wine window: Wine's
# screen copy sees its own windows only). Given a rectangle (x y w h), a window lies there too,
# showing the same part of the picture.
show_known_picture() {
  convert -size 1920x1080 -define gradient:angle=35 gradient:'#f0c020-#102080' \
          -fill '#e03030' -draw 'rectangle 520,420 560,460' -fill '#30d040' -draw 'circle 640,520 660,540' \
          -fill white -draw 'line 500,400 700,600' -depth 8 "$WORK/screen.png"
  convert "$WORK/screen.png" -type TrueColor BMP3:"$WORK/screen.bmp"
  wine "$BUILD/bin/backdrop.exe" "$(winepath -w "$WORK/screen.bmp")" "$@" >/dev/null 2>&1 &
  BACKDROP_PID=$!
  local title='^backdrop$'; [ $# -eq 4 ] && title='^known window$'
  for _ in $(seq 50); do
    xdotool search --name "$title" >/dev/null 2>&1 && { sleep 0.5; return 0; }
    sleep 0.2
  done
  fail "the backdrop did not appear"
}

start_program() {
  wine "$BUILD/bin/clipdump.exe" --clear >/dev/null 2>&1
  wine "$BUILD/bin/screencut.exe" >/dev/null 2>&1 &
  PROGRAM_PID=$!
  for _ in $(seq 100); do
    xdotool search --name 'Vexo' >/dev/null 2>&1 && { sleep 0.5; return 0; }
    sleep 0.2
  done
  fail "the main window did not appear"
}

# The colour of one screen pixel as "r g b".
screen_pixel() {  # x y
  import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null | tail -1 | sed -E 's/.*\(([0-9]+),([0-9]+),([0-9]+).*/\1 \2 \3/'
}
picture_pixel() {  # x y
  convert "$WORK/screen.png" -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null | tail -1 | sed -E 's/.*\(([0-9]+),([0-9]+),([0-9]+).*/\1 \2 \3/'
}

# The main window is at (50, 50); its button at client (128, 16), 112 × 56. The overlay is up
# once the picture far from the main window shows dimmed (and nothing lies there).
press_start_button() {
  xdotool mousemove 240 122 click 1
  wait_for_overlay
}

wait_for_overlay() {
  local want; want=$(picture_pixel 1500 900)
  for _ in $(seq 150); do
    sleep 0.2
    read -r r g b <<<"$(screen_pixel 1500 900)"
    read -r R G B <<<"$want"
    [ $(( (r + g + b) * 10 )) -lt $(( (R + G + B) * 7 )) ] && { sleep 0.5; return 0; }
  done
  fail "the overlay did not open"
}

drag() {  # x1 y1 x2 y2
  xdotool mousemove "$1" "$2"; sleep 0.3
  xdotool mousedown 1; sleep 0.3
  xdotool mousemove $(( ($1 + $3) / 2 )) $(( ($2 + $4) / 2 )); sleep 0.3
  xdotool mousemove "$3" "$4"; sleep 0.3
  xdotool mouseup 1; sleep 1
}

# Counts the pixels that differ between the picture's (x, y, w, h) and an image file.
differing_pixels() {  # x y w h file
  convert "$WORK/screen.png" -crop "$3x$4+$1+$2" +repage "$WORK/expected.png"
  compare -metric AE "$WORK/expected.png" "$5" null: 2>&1
}

# Waits up to `seconds` (30) for a bitmap on the clipboard and saves it as $WORK/clip.bmp; prints
# its size as "W H", or nothing when none came.
clipboard_bitmap() {  # [seconds]
  local size=
  for _ in $(seq $(( ${1:-30} * 2 ))); do
    size=$(wine "$BUILD/bin/clipdump.exe" "$(winepath -w "$WORK/clip.bmp")" 2>/dev/null | tr -d '\r')
    [ -n "$size" ] && break
    sleep 0.5
  done
  echo "$size"
}

# The clipboard holds exactly the picture's (x, y, w, h).
expect_clipboard() {  # x y w h [seconds]
  local size diff
  size=$(clipboard_bitmap "${5:-15}")
  [ "$size" = "$3 $4" ] || fail "clipboard bitmap size '$size', expected '$3 $4'"
  diff=$(differing_pixels "$1" "$2" "$3" "$4" "$WORK/clip.bmp")
  [ "$diff" = "0" ] || fail "$diff pixels differ from the screen"
}

# Waits for a window whose title matches, then a moment more for it to take input.
wait_for_window() {  # title-pattern [what]
  for _ in $(seq 150); do xdotool search --name "$1" >/dev/null 2>&1 && { sleep 1; return 0; }; sleep 0.2; done
  fail "${2:-a window '$1'} did not appear"
}
wait_for_no_window() {  # title-pattern what
  for _ in $(seq 150); do xdotool search --name "$1" >/dev/null 2>&1 || return 0; sleep 0.2; done
  fail "$2 did not go away"
}
wait_for_save_dialog() { wait_for_window '另存为|Save' "the save dialog"; }

# Presses a key (with modifiers, as xdotool names them) the given number of times.
key_times() {  # count key
  local keys=() i
  for ((i = 0; i < $1; i++)); do keys+=("$2"); done
  xdotool key --delay 40 "${keys[@]}"
}

# Puts a file name into the open save dialog's name box and checks that it arrived whole. ASCII is
# typed. xdotool types any other character by mapping it to a spare key first, and Wine reads the
# changed keymap late, so such text arrives shuffled: it is committed to the box whole instead,
# as an input method commits what it composed.
type_file_name() {  # text
  local typed
  if LC_ALL=C grep -q '[^ -~]' <<<"$1"; then
    wine "$BUILD/bin/instances.exe" filename "$1" >/dev/null 2>&1
  else
    xdotool type --delay 40 "$1"
  fi
  for _ in $(seq 25); do
    typed=$(wine "$BUILD/bin/instances.exe" filename 2>/dev/null | tr -d '\r')
    [ "$typed" = "$1" ] && return 0
    sleep 0.2
  done
  fail "the dialog's name box holds '$typed', not '$1'"
}

# Most tests select (500, 400)-(700, 600): its toolbar sits under it, right-aligned, and the tools
# box 4 pixels to the toolbar's left. Buttons are named by their x offset in their bar.
TOOLBAR_LEFT=$(( 700 - 329 )) TOOLBAR_Y=618
BOX_LEFT=$(( TOOLBAR_LEFT - 4 - 141 ))
RECTANGLE=17 TEXT=121 UNDO=150 SAVE=181 FINISH=294  # in the toolbar
MOSAIC=69                                          # in the tools box
toolbar() { xdotool mousemove $(( TOOLBAR_LEFT + $1 )) $TOOLBAR_Y click 1; sleep 0.5; }
tools_box() { xdotool mousemove $(( BOX_LEFT + $1 )) $TOOLBAR_Y click 1; sleep 0.5; }

# Finishes that selection from its toolbar; the clipboard's bitmap lands in $WORK/clip.bmp.
clipboard_after_finish() {
  toolbar $FINISH
  local size
  size=$(clipboard_bitmap 30)
  [ "$size" = "200 200" ] || fail "clipboard bitmap size '$size', expected '200 200'"
}

# The pixels that differ from the picture outside a band of 4 pixels on either side of a
# rectangle's outline (x1, y1)-(x2, y2), in the pixels of the selection (500, 400)-(700, 600).
differing_off_outline() {  # file x1 y1 x2 y2
  local band=(+antialias -fill none -stroke black -strokewidth 9 -draw "rectangle $2,$3 $4,$5")
  convert "$WORK/screen.png" -crop 200x200+500+400 +repage "${band[@]}" "$WORK/expected_band.png"
  convert "$1" "${band[@]}" "$WORK/got_band.png"
  compare -metric AE "$WORK/expected_band.png" "$WORK/got_band.png" null: 2>&1
}
