# What the program's Wine prefixes hold beyond Wine's own set-up: the UI font name the program
# asks for mapped to the CJK font installed on this machine, and windows managed by the display's
# window manager. Sourced by common.sh and monitors.sh; sets no traps.

# Made again when a prefix of an older set-up is found: 2, windows managed by the window manager.
PREFIX_VERSION=2

# 32-bit unless the caller chose otherwise (WINEARCH, see use_wine_bits in common.sh). A process
# that crashes ends at once rather than waiting in Wine's debugger.
prefix_environment() {  # prefix folder
  export WINEPREFIX=$1 WINEARCH=${WINEARCH:-win32} WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d"
}

# Windows are managed where a window manager runs, and left to Wine on a bare display.
window_management() { if [ -n "${NO_WM:-}" ]; then echo N; else echo Y; fi; }

prefix_ready() { [ "$(cat "$WINEPREFIX/.ready" 2>/dev/null)" = "$PREFIX_VERSION $WINEARCH $(window_management)" ]; }
mark_prefix_ready() { echo "$PREFIX_VERSION $WINEARCH $(window_management)" >"$WINEPREFIX/.ready"; }

# Run in a prefix whose first-run set-up is done (wineboot -i, then wineserver -w, or it
# overwrites what follows). Every step must succeed for the prefix to count as ready.
configure_prefix() {  # scratch folder for the registry file
  local reg="$1/fonts.reg" face
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
  # The display's window manager manages, stacks and focuses Wine's windows, as a desktop does;
  # Wine draws their frames itself, so every window keeps the place and size the program gives it.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$(window_management)" /f >/dev/null 2>&1 || return 1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1 || return 1
}
