#!/bin/bash
# Regenerates the program's own pictures (picture buttons, glyphs): builds the
# generator for x86_64 and runs it under Wine. Usage: app/resources/make_resources.sh [build folder]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="$(realpath -m "${1:-$root/build/x86_64}")"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-x86_64.cmake" >/dev/null
cmake --build "$build" --target make_resources
export VERDALUX_WINEPREFIX="$build/wineprefix"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  rc=0; "$0" "$@" || rc=$?
  WINEPREFIX="$VERDALUX_WINEPREFIX" /usr/lib/wine/wineserver -k 2>/dev/null || true
  exit $rc' "$root/scripts/wine-run.sh" "$build/bin/make_resources.exe" "Z:$root"
