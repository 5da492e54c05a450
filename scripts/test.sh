#!/bin/bash
# Sets up what is missing, builds both targets and runs every test headless under Wine.
#   scripts/test.sh [ctest arguments...]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"
jobs="$(nproc)"
export VERDALUX_WINEPREFIX="$root/build/x86_64/wineprefix"

# 32-bit product: compiled and linked only; this machine cannot run it.
cmake -S "$root" -B "$root/build/i686" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-i686.cmake" \
  -DVERDALUX_WERROR=ON -DVERDALUX_TESTS=OFF -DVERDALUX_BENCH=OFF >/dev/null
cmake --build "$root/build/i686" -j "$jobs"

cmake -S "$root" -B "$root/build/x86_64" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-x86_64.cmake" \
  -DVERDALUX_WERROR=ON >/dev/null
cmake --build "$root/build/x86_64" -j "$jobs"

# A private X display of true-colour depth (xvfb-run's default is 8 bits) and a
# private Wine prefix inside the build folder; both end with the run.
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  set -e
  "$0/scripts/wine-run.sh" cmd /c exit >/dev/null 2>&1 || true
  status=0
  ctest --test-dir "$0/build/x86_64" --output-on-failure "${@}" || status=$?
  WINEPREFIX="$VERDALUX_WINEPREFIX" /usr/lib/wine/wineserver -k 2>/dev/null || true
  exit $status
' "$root" "$@"
