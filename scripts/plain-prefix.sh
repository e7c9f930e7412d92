# A second Wine prefix per build tree for tests that need a plain system: made once and reused,
# with nothing added (no face-name mapping, no font links), so neither "微软雅黑" nor the generic
# sans-serif family is installed. Sourced, not run.

# Sets WINEPREFIX to the plain prefix, making it first when it is not there yet.
plain_wine_prefix() {  # build directory
  export WINEPREFIX="$(cd "$1" && pwd)/wineprefix-plain" WINEARCH=${WINEARCH:-win32} WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d"
  if [ ! -f "$WINEPREFIX/.ready" ] || [ "$(cat "$WINEPREFIX/.ready")" != "$WINEARCH" ]; then
    echo "== creating Wine prefix $WINEPREFIX" >&2
    rm -rf "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wineserver -w
    # Windows draw their own frames, so the display needs no window manager.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
    echo "$WINEARCH" >"$WINEPREFIX/.ready"
  fi
  # Wine's own services, started detached from the caller's output (ctest would wait for them).
  wine cmd /c exit </dev/null >/dev/null 2>&1
}

# Runs a Windows program with code page 1252, which Wine takes from the locale it is given.
plain_wine() { env LC_ALL=en_US.UTF-8 LANG=en_US.UTF-8 wine "$@"; }
