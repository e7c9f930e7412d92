#!/usr/bin/env bash
# One copy per session. Started with --tray (and an argument it does not know) the program shows
# only its tray icon, whose click, posted as the shell posts it, opens a capture; its menu writes
# and removes the Run value that starts it with Windows. A second start ends at once with status
# 0 and brings the first copy's main window up: one process, its main window shown.
source "$(dirname "$0")/lib.bash"

RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
trap 'cleanup; wine reg delete "$RUN_KEY" /v ScreenCut /f >/dev/null 2>&1' EXIT

instances() { wine "$BUILD/bin/instances.exe" "$@" 2>/dev/null | tr -d '\r'; }
expect_list() {  # "state" what: the one instance's list line without its pid
  local line
  for _ in $(seq 50); do
    line=$(instances list | cut -d' ' -f2-)
    [ "$line" = "$1" ] && [ "$(instances list | wc -l)" = 1 ] && return 0
    sleep 0.2
  done
  fail "$2: '$(instances list)', expected one instance '$1'"
}
run_value() { wine reg query "$RUN_KEY" /v ScreenCut 2>/dev/null | tr -d '\r' | grep -i 'ScreenCut'; }
choose_start_with_windows() {  # pid: the fifth row of the tray menu
  instances tray "$1" right
  local opened=
  for _ in $(seq 25); do sleep 0.2; instances menukeys Down && { opened=1; break; }; done
  [ -n "$opened" ] || fail "the tray menu did not open"
  instances menukeys Down Down Down Down Return
  sleep 1
}

show_known_picture
wine "$BUILD/bin/clipdump.exe" --clear >/dev/null 2>&1
wine "$BUILD/bin/screencut.exe" --tray --no-such-argument >/dev/null 2>&1 &
PROGRAM_PID=$!
for _ in $(seq 100); do [ "$(instances list | wc -l)" = 1 ] && break; sleep 0.2; done
pid=$(instances list | awk '{ print $1 }')
[ -n "$pid" ] || fail "the program did not start"
expect_list "enabled - - hidden" "started with --tray"
instances trayicon "$pid" || fail "no tray icon"

# A left click on the icon opens a capture; a right click with nothing selected leaves it.
instances tray "$pid" left
wait_for_overlay
expect_list "enabled overlay - hidden" "after the tray click"
xdotool mousemove 900 700; sleep 0.5; xdotool click 3; sleep 1.5
expect_list "enabled - - hidden" "after leaving the capture"

# "开机启动" writes the quoted path with --tray, and unchecked removes it.
choose_start_with_windows "$pid"
value=$(run_value)
[[ "$value" == *'"'*'screencut.exe" --tray' ]] || fail "Run value '$value'"
choose_start_with_windows "$pid"
[ -z "$(run_value)" ] || fail "the Run value stayed: '$(run_value)'"

# The second start leaves at once and the first shows its window.
timeout 60 wine "$BUILD/bin/screencut.exe" >/dev/null 2>&1
rc=$?
[ "$rc" = 0 ] || fail "the second start ended with status $rc"
expect_list "enabled - front shown" "after the second start"
kill -0 "$PROGRAM_PID" 2>/dev/null || fail "the first copy has ended"
echo "PASS: --tray hid the window, the tray opened a capture and set the Run value, a second start showed the first"
