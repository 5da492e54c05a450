#!/bin/bash
# Starts Verdalux on a private Xvfb display, waits, and saves a screenshot.
#   scripts/screenshot.sh OUT.png [seconds to wait] [-- program arguments]
# Needs a built build/x86_64 (scripts/run.sh or scripts/test.sh builds it).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$(realpath -m "$1")"; shift
wait="${1:-5}"; [ $# -gt 0 ] && shift
[ "${1:-}" = "--" ] && shift
export VERDALUX_WINEPREFIX="$(realpath -m "${VERDALUX_WINEPREFIX:-$root/build/x86_64/wineprefix}")"
exe="${VERDALUX_EXE:-$root/build/x86_64/bin/verdalux.exe}"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  "$0" "$1" "${@:4}" & pid=$!
  sleep "$2"
  import -window root "$3"
  kill $pid 2>/dev/null || true
  WINEPREFIX="$VERDALUX_WINEPREFIX" /usr/lib/wine/wineserver -k 2>/dev/null || true
' "$root/scripts/wine-run.sh" "$exe" "$wait" "$out" "$@"
echo "saved $out"
