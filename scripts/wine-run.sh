#!/bin/bash
# Runs a Windows program under Wine in the build's private prefix.
# VERDALUX_WINEPREFIX is set by the test and run scripts; the default keeps a
# stray direct call inside the build folder as well.
set -e
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
export WINEPREFIX="${VERDALUX_WINEPREFIX:-$here/../build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree=;mshtml=;winemenubuilder.exe=d}"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 || true
  # There is no window manager on the test display; managed windows would make
  # every destruction of a visible top-level window wait 2 s for one.
  /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
  /usr/lib/wine/wineserver -w || true
fi
exec /usr/lib/wine/wine64 "$@"
