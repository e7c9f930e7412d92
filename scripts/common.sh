# Shared by scripts/run, scripts/test and scripts/bench: set-up, build, Wine prefix and display.
# Sourced, not run.
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${BUILD_DIR:-$ROOT/build}

PACKAGES=(cmake make g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
          mingw-w64-i686-dev googletest wine wine32:i386 xvfb xauth x11-utils xdotool imagemagick
          fonts-wqy-microhei fonts-wine)

say() { printf '== %s\n' "$*" >&2; }

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
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# The whole configure and build output stays in build.log; warnings and errors show as they
# come, and the end of the log when the build fails.
build_all() {
  say "building in $BUILD"
  mkdir -p "$BUILD"
  local log="$BUILD/build.log" rc
  { cmake -S "$ROOT" -B "$BUILD" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" \
          -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-Release} &&
    cmake --build "$BUILD" -j"$(nproc)"; } 2>&1 | tee "$log" | grep -E 'error|warning|Error'
  rc=${PIPESTATUS[0]}
  if [ "$rc" -ne 0 ]; then
    say "build failed; the end of $log:"
    tail -n 40 "$log" >&2
  fi
  return "$rc"
}

# One prefix per build tree, made once: 32-bit, no Mono/Gecko prompts, and the UI font name
# the program asks for mapped to the CJK font installed on this machine.
wine_prefix() {
  export WINEPREFIX="$BUILD/wineprefix" WINEARCH=win32 WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  if [ ! -f "$WINEPREFIX/.ready" ]; then
    say "creating Wine prefix $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    if ! set_up_prefix; then
      say "setting up the Wine prefix failed; the next run makes it again"
      return 1
    fi
    touch "$WINEPREFIX/.ready"
  fi
  wineserver -p >/dev/null 2>&1   # persistent: every test process starts fast
  # Start Wine's own services now, detached from our output: started by the first test they
  # would inherit its pipe and keep ctest waiting for them after the test has ended.
  wine cmd /c exit </dev/null >/dev/null 2>&1
}

# Every step must succeed for the prefix to count as ready.
set_up_prefix() {
  wineboot -i >/dev/null 2>&1 || return 1
  wineserver -w || return 1  # first-run set-up must be done, or it overwrites what follows
  local reg="$BUILD/fonts.reg" face
  printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n"微软雅黑"="WenQuanYi Micro Hei"\r\n' \
    | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$reg" || return 1
  reg=$(winepath -w "$reg" 2>/dev/null) || return 1
  # reg import, unlike regedit, reports a file it could not read or apply.
  wine reg import "$reg" >/dev/null 2>&1 || return 1
  # Wine's own fonts lack CJK glyphs: let its UI fonts fall back to the CJK font.
  for face in Tahoma "Microsoft Sans Serif" "MS Shell Dlg" "MS Shell Dlg 2"; do
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v "$face" \
      /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1 || return 1
  done
  # Windows draw their own frames, so the display needs no window manager.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || return 1
  wineserver -w
}

# A private X display unless one is given; sets DISPLAY.
start_display() {
  local size=${SCREEN_SIZE:-1920x1080}
  if [ -n "${DISPLAY:-}" ] && [ -z "${FORCE_XVFB:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
  say "Xvfb did not start"; return 1
}

stop_display() { [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null; XVFB_PID=; }
