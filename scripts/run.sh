#!/bin/bash
# Sets up what is missing, builds Verdalux and starts it under Wine
# (on a private Xvfb display when there is no desktop).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build/x86_64" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-x86_64.cmake" >/dev/null
cmake --build "$root/build/x86_64" -j "$(nproc)" --target verdalux
export VERDALUX_WINEPREFIX="$root/build/x86_64/wineprefix"
exe="$root/build/x86_64/bin/verdalux.exe"
if [ -n "${DISPLAY:-}" ]; then
  exec "$root/scripts/wine-run.sh" "$exe" "$@"
else
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$root/scripts/wine-run.sh" "$exe" "$@"
fi
