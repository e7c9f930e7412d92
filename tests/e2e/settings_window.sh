#!/usr/bin/env bash
# Nothing is written for a user who changes nothing. The settings window, opened from the tray
# menu, takes a new hot key and the magnifier's switch from the keyboard; OK writes them, and the
# next start goes by them: the new key opens a capture.
source "$(dirname "$0")/lib.bash"

appdata=$(winepath -u "$(wine cmd /c 'echo %APPDATA%' 2>/dev/null | tr -d '\r')")
settings="$appdata/ScreenCut/settings.ini"
[ -e "$settings" ] && fail "a settings file is there already: $settings"
trap 'cleanup; rm -f "$settings"' EXIT

instances() { wine "$BUILD/bin/instances.exe" "$@" 2>/dev/null | tr -d '\r'; }

show_known_picture
start_program
pid=$(instances list | awk '{ print $1 }')
[ -e "$settings" ] && fail "settings were written at start"

instances tray "$pid" right
opened=
for _ in $(seq 25); do sleep 0.2; instances menukeys Down && { opened=1; break; }; done
[ -n "$opened" ] || fail "the tray menu did not open"
instances menukeys Down Down Down Return  # "设置…"
wait_for_window '^设置$' "the settings window"
xdotool key ctrl+a; sleep 0.3
xdotool type --delay 60 'Ctrl+Alt+Q'; sleep 0.5
xdotool key alt+m; sleep 0.3   # the magnifier's switch, by its mnemonic
xdotool key Return
for _ in $(seq 50); do [ -s "$settings" ] && break; sleep 0.2; done
[ -s "$settings" ] || fail "OK wrote no settings"
tr -d '\r' <"$settings" | grep -qx 'HotKey=Ctrl+Alt+Q' || fail "the hot key was not written: $(cat "$settings")"
tr -d '\r' <"$settings" | grep -qx 'ShowMagnifier=0' || fail "the magnifier's switch was not written"

kill "$PROGRAM_PID"; wait "$PROGRAM_PID" 2>/dev/null
for _ in $(seq 50); do [ -z "$(instances list)" ] && break; sleep 0.2; done
start_program
xdotool key ctrl+alt+q
wait_for_overlay
echo "PASS: nothing written unasked; the window's hot key and switch were written and used after a restart"
