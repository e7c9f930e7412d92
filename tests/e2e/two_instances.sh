#!/usr/bin/env bash
# Two copies of the program run at once: each captures in turn, then both open a capture at the
# same time and close it, and both are still there and working at the end. Their main windows
# lie on top of each other, so a small tool presses a chosen instance's start button.
source "$(dirname "$0")/lib.bash"

SECOND_PID=
trap 'cleanup; [ -n "$SECOND_PID" ] && kill "$SECOND_PID" 2>/dev/null' EXIT

instances() { wine "$BUILD/bin/instances.exe" "$@" 2>/dev/null | tr -d '\r'; }
# "enabled -" when idle, "disabled overlay" while its capture is open
state_of() { instances list | awk -v pid="$1" '$1 == pid { print $2, $3 }'; }
expect_state() {  # pid state what
  local state
  for _ in $(seq 25); do state=$(state_of "$1"); [ "$state" = "$2" ] && return 0; sleep 0.2; done
  fail "$3: instance $1 is '$state', expected '$2'"
}
start_capture() {  # pid
  instances start "$1" || fail "instance $1 has no start button"
  expect_state "$1" "disabled overlay" "pressing start"
  sleep 1
}
double_click() { xdotool mousemove "$1" "$2"; sleep 1; xdotool click --repeat 2 --delay 80 1; sleep 1.5; }

show_known_picture
start_program
wine "$BUILD/bin/screencut.exe" >/dev/null 2>&1 &
SECOND_PID=$!
for _ in $(seq 100); do [ "$(instances list | wc -l)" = 2 ] && break; sleep 0.2; done
mapfile -t pids < <(instances list | awk '{ print $1 }')
[ "${#pids[@]}" = 2 ] || fail "expected two running instances, found ${#pids[@]}"
first=${pids[0]} second=${pids[1]}
sleep 1

# One after the other, each captures its own selection.
start_capture "$second"
[ "$(state_of "$first")" = "enabled -" ] || fail "the other instance changed while one captured"
drag 500 400 700 600
double_click 600 500
expect_state "$second" "enabled -" "after finishing"
expect_clipboard 500 400 200 200

start_capture "$first"
drag 300 300 450 400
double_click 375 350
expect_state "$first" "enabled -" "after finishing"
expect_clipboard 300 300 150 100

# Both open at once; a right click with no selection closes whichever is on top, then the other.
start_capture "$first"
start_capture "$second"
xdotool mousemove 900 700; sleep 1
xdotool click 3; sleep 1.5
xdotool mousemove 910 710; sleep 1
xdotool click 3; sleep 1.5
expect_state "$first" "enabled -" "after closing both captures"
expect_state "$second" "enabled -" "after closing both captures"

kill -0 "$PROGRAM_PID" 2>/dev/null && kill -0 "$SECOND_PID" 2>/dev/null || fail "an instance has ended"
echo "PASS: two instances captured in turn and side by side, both still running"
