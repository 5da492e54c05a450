#!/bin/bash
# Developer loop: build only the named test targets (x86_64) and run them under
# Wine on a private Xvfb display. Lets several people work in one tree without
# waiting for each other's unfinished parts to compile.
#   VERDALUX_BUILD=build/mine scripts/dev-test.sh raster_tests [more targets] [-- gtest args]
# VERDALUX_SKIP="render;tests/render" leaves folders out that do not configure yet.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(realpath -m "${VERDALUX_BUILD:-$root/build/x86_64}")"
targets=(); args=()
while [ $# -gt 0 ]; do
  if [ "$1" = "--" ]; then shift; args=("$@"); break; fi
  targets+=("$1"); shift
done
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-x86_64.cmake" -DVERDALUX_WERROR=ON \
  "-DVERDALUX_SKIP=${VERDALUX_SKIP:-}" >/dev/null
cmake --build "$build" -j "$(nproc)" --target "${targets[@]}"
export VERDALUX_WINEPREFIX="$build/wineprefix"
status=0
for t in "${targets[@]}"; do
  exe="$build/bin/$t.exe"
  [ -f "$exe" ] || continue
  echo "== $t"
  # Wine's desktop process must not outlive the display it was started on.
  xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    rc=0; "$0" "$@" || rc=$?
    WINEPREFIX="$VERDALUX_WINEPREFIX" /usr/lib/wine/wineserver -k 2>/dev/null || true
    exit $rc' "$root/scripts/wine-run.sh" "$exe" "${args[@]}" || status=$?
done
exit $status
