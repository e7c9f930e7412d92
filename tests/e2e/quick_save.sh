#!/usr/bin/env bash
# Settings spoiled in every way but the quick-save folder: the program starts with the defaults
# for the rest (Ctrl+Alt+A, the name pattern). Ctrl+Shift+S saves the selection into the folder,
# made on first use, as 截图YYYYMMDDhhmmss.png with exactly its pixels, and a note names the file.
# Shift plus the hot key reopens on the last region: the toolbar's quick-save button saves it
# again under a free name, and finishing it offers PNG to another program, with the same pixels.
source "$(dirname "$0")/lib.bash"

appdata=$(winepath -u "$(wine cmd /c 'echo %APPDATA%' 2>/dev/null | tr -d '\r')")
settings="$appdata/ScreenCut/settings.ini"
[ -e "$settings" ] && fail "a settings file is there already: $settings"
trap 'cleanup; rm -f "$settings"' EXIT
mkdir -p "$(dirname "$settings")"
shots="$WORK/shots"
printf '\xff\xfe\x01 not a line of ours\r\n[ScreenCut]\r\nHotKey=Ctrl+Banana\r\nNamePattern=a<b\r\nJpegQuality=9999\r\nQuickSaveFolder=%s\r\nShowMagnifier=perhaps\r\nQuickSaveFormat=JP' \
  "$(winepath -w "$shots")" >"$settings"

instances() { wine "$BUILD/bin/instances.exe" "$@" 2>/dev/null | tr -d '\r'; }
saved_files() { ls "$shots" 2>/dev/null | grep -v '\.tmp$' | sort; }
wait_for_files() {  # count
  for _ in $(seq 75); do [ "$(saved_files | wc -l)" = "$1" ] && return 0; sleep 0.2; done
  fail "expected $1 quick-saved files, found: $(saved_files | tr '\n' ' ')"
}
expect_selection_in() {  # file
  [ "$(identify -format '%m %w %h' "$1")" = "PNG 200 200" ] || fail "$1 is not a 200 x 200 PNG"
  local diff; diff=$(differing_pixels 500 400 200 200 "$1")
  [ "$diff" = "0" ] || fail "$diff pixels of $1 differ from the screen"
}
reopen_last_region() { sleep 1; xdotool key ctrl+alt+shift+a; wait_for_overlay; }

show_known_picture
start_program
xdotool key ctrl+alt+a
wait_for_overlay
drag 500 400 700 600
xdotool key ctrl+shift+s
wait_for_files 1
note=$(instances note)  # shown for two seconds
first=$(saved_files)
[[ "$first" =~ ^截图[0-9]{14}\.png$ ]] || fail "quick save named the file '$first'"
[ "$note" = "已保存：$first" ] || fail "the note says '$note'"
expect_selection_in "$shots/$first"

# The toolbar sits under the selection, right-aligned: quick save is at dx 196–219.
reopen_last_region
xdotool mousemove $(( 700 - 329 + 207 )) 618 click 1
wait_for_files 2
second=$(saved_files | grep -vxF "$first")
[[ "$second" =~ ^截图[0-9]{14}( \(2\))?\.png$ ]] || fail "the second quick save is named '$second'"
expect_selection_in "$shots/$second"

reopen_last_region
xdotool mousemove 600 500; sleep 0.5; xdotool click --repeat 2 --delay 80 1; sleep 1.5
expect_clipboard 500 400 200 200
bytes=$(wine "$BUILD/bin/clipdump.exe" --png "$(winepath -w "$WORK/clip.png")" 2>/dev/null | tr -d '\r')
[ -n "$bytes" ] || fail "no PNG on the clipboard"
expect_selection_in "$WORK/clip.png"
echo "PASS: quick saves named by the pattern with exact pixels, the last region reopened, PNG on the clipboard"
