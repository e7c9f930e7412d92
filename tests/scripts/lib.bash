# Shared by the tests of scripts/test, scripts/run and scripts/bench. A script runs as it is,
# with the real Xvfb and wineserver, but with stand-ins first on PATH for the slow parts (the
# build, ctest, Wine programs and the Wine prefix's set-up commands), and each run is checked
# for what it leaves behind. Sourced.
set -u
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
WORK=$(mktemp -d)
FAILED=0
RUN=0 RUN_DIR= RUN_PID= RUN_STATUS=
STARTED=()   # "what pid" for everything the current run had running when it was looked at

unset DISPLAY
export WINEPREFIX="$WORK/no-prefix"   # a script must use its build tree's prefix, never this one
# The stand-ins play wine32, whatever this machine can run: no 64-bit Wine is looked for.
export WINE_BITS=32

fail() { echo "FAIL: $*" >&2; FAILED=1; }

alive() {  # pid: running (a zombie waiting to be reaped counts as gone)
  local state
  state=$(sed 's/.*) //' "/proc/$1/stat" 2>/dev/null | cut -d' ' -f1) && [ -n "$state" ] && [ "$state" != Z ]
}

wineserver_of() {  # prefix: the Wine server that prefix has running, if any
  local pid
  for pid in $(pgrep wineserver); do
    { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$1" && alive "$pid" && echo "$pid"
  done
}

mkdir -p "$WORK/bin"
cat >"$WORK/bin/stand-in" <<'STAND_IN'
#!/usr/bin/env bash
# Stands in for the tool it is called as. Leaves a mark when it starts; FAIL_AT, HANG_AT,
# BUILD_LINES, BUILD_STATUS, RUN_TIME and CTEST_STATUS say what it does.
mark() { echo "$$" >"$MARKS/$1"; }
case "$(basename "$0")" in
  dpkg-query) printf 'install ok installed' ;;
  winepath) echo "$2" ;;
  cmake) [ "$1" = --build ] || exit 0
         seq -f 'build step %g' "${BUILD_LINES:-0}"; exit "${BUILD_STATUS:-0}" ;;
  wineboot) mkdir -p "$WINEPREFIX"; mark wineboot
            [ "${FAIL_AT:-}" = wineboot ] && exit 1
            [ "${HANG_AT:-}" = wineboot ] && sleep 600 ;;
  wine) case "$1" in
          reg) [ "${FAIL_AT:-}" = "reg-$2" ] && exit 1 ;;
          *.exe) mark program; sleep "${RUN_TIME:-600}" ;;
        esac ;;
  ctest) mark ctest; sleep "${RUN_TIME:-600}"; exit "${CTEST_STATUS:-0}" ;;
esac
exit 0
STAND_IN
chmod +x "$WORK/bin/stand-in"
for tool in dpkg-query winepath cmake wineboot wine ctest; do ln -s stand-in "$WORK/bin/$tool"; done

# Runs scripts/SCRIPT in a build tree of its own and waits until the stand-in MARK has started
# (or the script has ended), then notes what the run has running.
start_run() {  # script mark [script arguments]
  local script=$1 mark=$2; shift 2
  RUN=$((RUN + 1)); RUN_DIR="$WORK/run$RUN"; mkdir -p "$RUN_DIR/marks"
  set -m   # the run leads a process group of its own, as a terminal's job does
  PATH="$WORK/bin:$PATH" MARKS="$RUN_DIR/marks" BUILD_DIR="$RUN_DIR/build" \
    bash "$ROOT/scripts/$script" "$@" </dev/null >"$RUN_DIR/output" 2>&1 &
  RUN_PID=$!
  set +m
  for _ in $(seq 100); do
    { [ -s "$RUN_DIR/marks/$mark" ] || ! alive "$RUN_PID"; } && break
    sleep 0.1
  done
  sleep 0.3   # the stand-in's own child
  STARTED=()
  local pid stand_in
  for pid in $(pgrep -x -P "$RUN_PID" Xvfb); do STARTED+=("Xvfb $pid"); done
  for pid in $(wineserver_of "$RUN_DIR/build/wineprefix"); do STARTED+=("wineserver $pid"); done
  if [ -s "$RUN_DIR/marks/$mark" ]; then
    stand_in=$(cat "$RUN_DIR/marks/$mark")
    STARTED+=("$mark $stand_in")
    for pid in $(pgrep -P "$stand_in"); do STARTED+=("$mark's-child $pid"); done
  fi
}

expect_running() {  # what...: the current run had each of these running when it was looked at
  local what
  for what in "$@"; do
    printf '%s\n' "${STARTED[@]}" | grep -q "^$what " || fail "run $RUN ($RUN_DIR): no $what was running"
  done
}

# Ends the current run: ctrl-c sends SIGINT to its whole group as a terminal does, term sends
# SIGTERM to the script alone, wait lets it end by itself. Then waits up to 30 s for it.
stop_run() {  # ctrl-c | term | wait
  case "$1" in
    ctrl-c) kill -INT -- "-$RUN_PID" 2>/dev/null ;;
    term) kill -TERM "$RUN_PID" 2>/dev/null ;;
  esac
  for _ in $(seq 300); do alive "$RUN_PID" || break; sleep 0.1; done
  if alive "$RUN_PID"; then
    fail "run $RUN ($RUN_DIR): scripts still running 30 s after $1"
    kill -KILL -- "-$RUN_PID" 2>/dev/null
  fi
  wait "$RUN_PID" 2>/dev/null; RUN_STATUS=$?
  RUN_PID=
}

expect_nothing_left() {  # label
  local entry
  for entry in "${STARTED[@]}"; do
    alive "${entry#* }" && { fail "$1: left $entry running"; kill -KILL "${entry#* }" 2>/dev/null; }
  done
  STARTED=()
  [ -z "$(wineserver_of "$RUN_DIR/build/wineprefix")" ] || fail "$1: left the Wine server of $RUN_DIR running"
  return 0
}

expect_status() {  # label zero|nonzero
  if [ "$2" = zero ]; then [ "$RUN_STATUS" -eq 0 ] || fail "$1: exit status $RUN_STATUS, expected 0"
  else [ "$RUN_STATUS" -ne 0 ] || fail "$1: exit status 0, expected a failure"; fi
}

# Only what these runs started: an unfinished run's group and what it had running, and the
# servers of the runs' own prefixes.
cleanup() {
  local dir entry
  for entry in "${STARTED[@]}"; do alive "${entry#* }" && kill -KILL "${entry#* }" 2>/dev/null; done
  [ -n "$RUN_PID" ] && kill -KILL -- "-$RUN_PID" 2>/dev/null
  for dir in "$WORK"/run*; do
    [ -n "$(wineserver_of "$dir/build/wineprefix")" ] && WINEPREFIX="$dir/build/wineprefix" wineserver -k
  done
  [ -n "${KEEP_WORK:-}" ] && echo "kept $WORK" >&2 || rm -rf "$WORK"
}
trap cleanup EXIT

finish() {
  [ "$FAILED" -eq 0 ] && echo "PASS: $*"
  exit "$FAILED"
}
