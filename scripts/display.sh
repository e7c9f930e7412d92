# Private X displays for the scripts and the black-box tests: an Xvfb screen and, on it, a window
# manager. Sourced; sets no traps: whoever starts a display stops it with stop_xvfb.
XVFB_PID=   # the display server we started
WM_PID=     # the window manager we started on it

running() {  # pid: alive and not a zombie
  local stat
  stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 1
  stat=${stat##*) }
  [ "${stat%% *}" != Z ]
}

# Starts Xvfb with one screen of WxH and sets DISPLAY. Xvfb picks a free display number itself
# and writes it out once it accepts clients.
start_xvfb() {  # WxH [more Xvfb options]
  local size=$1 number n=
  shift
  number=$(mktemp) || return 1
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp "$@" 3>"$number" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 100); do
    read -r n <"$number" && break
    n=
    running "$XVFB_PID" || break
    sleep 0.1
  done
  rm -f "$number"
  if [ -z "$n" ]; then echo "== Xvfb did not start" >&2; stop_xvfb; return 1; fi
  export DISPLAY=":$n"
}

# Openbox on DISPLAY, ready once it has claimed the screen. Wine's managed windows then have a
# window manager to hide, show and focus them, as on a desktop: without one, Wine waits up to a
# second for an answer on every window it hides. NO_WM=1 leaves the display bare.
start_window_manager() {
  [ -z "${NO_WM:-}" ] || return 0
  openbox --sm-disable --config-file "$(dirname "${BASH_SOURCE[0]}")/openbox.xml" >/dev/null 2>&1 &
  WM_PID=$!
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    running "$WM_PID" || break
    sleep 0.1
  done
  echo "== the window manager did not start on $DISPLAY" >&2
  stop_window_manager
  return 1
}

stop_window_manager() {
  [ -n "$WM_PID" ] || return 0
  kill "$WM_PID" 2>/dev/null
  wait "$WM_PID" 2>/dev/null
  WM_PID=
}

stop_xvfb() {
  stop_window_manager
  [ -n "$XVFB_PID" ] || return 0
  kill "$XVFB_PID" 2>/dev/null
  wait "$XVFB_PID" 2>/dev/null
  XVFB_PID=
}
