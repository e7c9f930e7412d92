# Shared by scripts/run, scripts/test and scripts/bench: set-up, build, Wine prefix and display.
# Sourced, not run. Sourcing it sets the traps, so they are in place before a script starts
# anything: whatever it started is stopped when it ends, fails or is interrupted.
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${BUILD_DIR:-$ROOT/build}
source "$ROOT/scripts/display.sh"   # start_xvfb, start_window_manager, stop_xvfb, running
source "$ROOT/scripts/prefix.sh"    # prefix_environment, configure_prefix, prefix_ready

PACKAGES=(cmake make g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
          mingw-w64-i686-dev googletest wine wine32:i386 xvfb xauth x11-utils xdotool imagemagick
          fonts-wqy-microhei fonts-wine python3 openbox libxinerama1:i386 x11-xserver-utils
          wine64 g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
          mingw-w64-x86-64-dev)

# The black-box tests still wait on the bare display's timing: a window manager on the test display
# (WITH_WM=1) is there to try, not yet the default.
if [ -n "${WITH_WM:-}" ]; then unset NO_WM; else export NO_WM=${NO_WM:-1}; fi

CHILD_PID=     # the long command now running (ctest, a Wine program), leader of its own session
WINE_STARTED=  # set once a Wine server for this build tree's prefix may be running

say() { printf '== %s\n' "$*" >&2; }

# Some machines' kernels run no 32-bit Linux programs (virtual machines without IA-32
# emulation): wine32 cannot start there. The tests then run a 64-bit build of the same sources
# under wine64 in a 64-bit prefix, and `wine` on PATH means wine64. What ships stays 32-bit.
# WINE_BITS=32 or 64 chooses by hand.
wine_bits() {
  if [ -n "${WINE_BITS:-}" ]; then echo "$WINE_BITS"
  elif [ ! -x /usr/lib/wine/wine64 ] || /usr/lib/wine/wine --version >/dev/null 2>&1; then echo 32
  else echo 64; fi
}

use_wine_bits() {
  if [ "$(wine_bits)" = 64 ]; then
    TOOLCHAIN="$ROOT/cmake/mingw-x86_64.cmake"
    export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
    local shim="$BUILD/wine64-path"
    mkdir -p "$shim"
    for name in wine wine-stable; do
      printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$shim/$name"
      chmod +x "$shim/$name"
    done
    case ":$PATH:" in *":$shim:"*) ;; *) export PATH="$shim:$PATH" ;; esac
  else
    TOOLCHAIN="$ROOT/cmake/mingw-i686.cmake"
    export WINEARCH=win32
  fi
}

ensure_packages() {
  [ "$(uname -s)" = Linux ] || return 0
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  say "installing: ${missing[*]}"
  local sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
  dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
  $sudo apt-get update -qq || say "apt-get update failed; installing from the package lists it has"
  apt_install "$sudo" "${missing[@]}" && return 0
  # A security mirror caught mid-sync can offer newer amd64 packages whose i386 twins it lacks
  # (wine32:i386 then needs "held broken packages"): install again with the security sources
  # left out, so both architectures come from the same release.
  say "installing again without the security sources"
  local parts rc
  parts=$(mktemp -d) || return 1
  sources_without_security "$parts"
  apt_install "$sudo" -o Dir::Etc::SourceParts="$parts" -o Dir::Etc::SourceList=/dev/null "${missing[@]}"
  rc=$?
  rm -rf "$parts"
  return "$rc"
}

apt_install() {  # sudo-or-empty [apt options] packages
  local sudo=$1; shift
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "$@" >/dev/null
}

# Copies of the system's package sources into a folder, every stanza (deb822 .sources) or line
# (one-line .list and sources.list) that names a security suite left out.
sources_without_security() {  # folder
  local file
  for file in ${APT_SOURCES:-/etc/apt/sources.list /etc/apt/sources.list.d/*.sources /etc/apt/sources.list.d/*.list}; do
    [ -f "$file" ] || continue
    case "$file" in
      *.sources) awk -v RS= -v ORS='\n\n' '!/-security/' "$file" >"$1/$(basename "$file")" ;;
      *) grep -v -e '-security' "$file" >"$1/$(basename "$file" .list).list" ;;
    esac
  done
}

# The whole configure and build output stays in build.log; warnings and errors show as they
# come, and the end of the log when the build fails. Arguments go to the build step
# (--target NAME builds only that).
build_all() {
  say "building in $BUILD"
  mkdir -p "$BUILD"
  use_wine_bits
  # A tree configured for the other word size starts again.
  if [ -f "$BUILD/CMakeCache.txt" ] && ! grep -q "CMAKE_TOOLCHAIN_FILE:[A-Z]*=$TOOLCHAIN\$" "$BUILD/CMakeCache.txt"; then
    rm -rf "$BUILD/CMakeCache.txt" "$BUILD/CMakeFiles"
  fi
  local log="$BUILD/build.log" rc
  { cmake -S "$ROOT" -B "$BUILD" -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
          -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-Release} &&
    cmake --build "$BUILD" -j"$(nproc)" "$@"; } 2>&1 | tee "$log" | grep -E 'error|warning|Error'
  rc=${PIPESTATUS[0]}
  if [ "$rc" -ne 0 ]; then
    say "build failed; the end of $log:"
    tail -n 40 "$log" >&2
  fi
  return "$rc"
}

# Runs a long command in a session of its own and waits for it. A signal ends the wait at once,
# so the trap runs at once, and it can stop the command with everything the command started
# (Ctrl-C reaches only the terminal's foreground group, a kill only this shell).
run_child() {
  setsid "$@" &
  CHILD_PID=$!
  wait "$CHILD_PID"
  local rc=$?
  CHILD_PID=
  return "$rc"
}

stop_child() {
  [ -n "$CHILD_PID" ] || return 0
  kill -TERM -- "-$CHILD_PID" 2>/dev/null
  local pid busy
  for _ in $(seq 50); do
    busy=
    for pid in $(pgrep -g "$CHILD_PID"); do running "$pid" && busy=1; done
    [ -n "$busy" ] || break
    sleep 0.1
  done
  kill -KILL -- "-$CHILD_PID" 2>/dev/null
  wait "$CHILD_PID" 2>/dev/null
  CHILD_PID=
}

# The Wine server of this build tree's prefix only, with every Wine process attached to it;
# other prefixes on this machine belong to others.
stop_wine() {
  [ -n "$WINE_STARTED" ] || return 0
  WINEPREFIX="$BUILD/wineprefix" wineserver -k >/dev/null 2>&1
  WINE_STARTED=
}

stop_all() {
  trap '' INT TERM HUP   # a second Ctrl-C must not cut the clean-up short
  stop_child
  stop_wine
  stop_display
}
trap stop_all EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

# One prefix per build tree, made once: no Mono/Gecko prompts, set up by prefix.sh.
wine_prefix() {
  use_wine_bits
  prefix_environment "$BUILD/wineprefix"
  WINE_STARTED=1
  if ! prefix_ready; then
    say "creating Wine prefix $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    if ! set_up_prefix; then
      say "setting up the Wine prefix failed; the next run makes it again"
      return 1
    fi
    mark_prefix_ready
  fi
  wineserver -p >/dev/null 2>&1   # persistent: every test process starts fast
  # Start Wine's own services now, detached from our output: started by the first test they
  # would inherit its pipe and keep ctest waiting for them after the test has ended.
  wine cmd /c exit </dev/null >/dev/null 2>&1
}

set_up_prefix() {
  run_child wineboot -i >/dev/null 2>&1 || return 1
  wineserver -w || return 1  # first-run set-up must be done, or it overwrites what follows
  configure_prefix "$BUILD" || return 1
  wineserver -w
}

# A private X display with a window manager, unless one is given; sets DISPLAY.
start_display() {
  if [ -n "${DISPLAY:-}" ] && [ -z "${FORCE_XVFB:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  start_xvfb "${SCREEN_SIZE:-1920x1080}" || return 1
  start_window_manager || { stop_xvfb; return 1; }
}

stop_display() { stop_xvfb; }
