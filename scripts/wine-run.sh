#!/bin/bash
# Runs a Windows program under Wine in the build's private prefix.
#   wine-run.sh PROGRAM [ARGUMENTS...]
# The loader follows the program: a 32-bit executable runs under Wine's 32-bit
# loader, anything else under wine64; VERDALUX_WINE_LOADER overrides that.
# VERDALUX_WINEPREFIX is set by the test and run scripts; the default keeps a
# stray direct call inside the build folder as well.
set -e
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

# The PE header's machine field: 014c is i386, 8664 is x86-64.
pe_machine() {
  local offset
  offset=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ') || return 0
  [ -n "$offset" ] && od -An -tx2 -j$((offset + 4)) -N2 "$1" 2>/dev/null | tr -d ' '
}

loader="${VERDALUX_WINE_LOADER:-}"
if [ -z "$loader" ]; then
  loader=/usr/lib/wine/wine64
  [ -f "${1:-}" ] && [ "$(pe_machine "$1")" = "014c" ] && loader=/usr/lib/wine/wine
fi
export WINEPREFIX="${VERDALUX_WINEPREFIX:-$here/../build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree=;mshtml=;winemenubuilder.exe=d}"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  # A prefix made by the 32-bit loader is a 32-bit Windows; wine64 makes a
  # 64-bit one that runs both kinds.
  [ "$loader" = /usr/lib/wine/wine ] && export WINEARCH=win32
  "$loader" wineboot -i >/dev/null 2>&1 || true
  # There is no window manager on the test display; managed windows would make
  # every destruction of a visible top-level window wait 2 s for one.
  "$loader" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
  /usr/lib/wine/wineserver -w || true
fi
exec "$loader" "$@"
