#!/bin/bash
# Developer loop: build only the named test targets and run them on a private
# Xvfb display. Lets several people work in one tree without waiting for each
# other's unfinished parts to compile.
#   VERDALUX_BUILD=build/mine scripts/dev-test.sh raster_tests [more targets] [-- gtest args]
# VERDALUX_TARGET picks x86_64 (default), i686 or native (the core under the
# sanitizers, run without Wine). VERDALUX_SKIP="render;tests/render" leaves
# folders out that do not configure yet.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
target="${VERDALUX_TARGET:-x86_64}"
build="$(realpath -m "${VERDALUX_BUILD:-$root/build/$target}")"
targets=(); args=()
while [ $# -gt 0 ]; do
  if [ "$1" = "--" ]; then shift; args=("$@"); break; fi
  targets+=("$1"); shift
done
if [ "$target" = native ]; then
  cmake -S "$root" -B "$build" -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 -DVERDALUX_WERROR=ON >/dev/null
  cmake --build "$build" -j "$(nproc)" --target "${targets[@]}"
  status=0
  for t in "${targets[@]}"; do
    [ -x "$build/tests/core/$t" ] && { "$build/tests/core/$t" "${args[@]}" || status=$?; }
    [ -x "$build/fuzz/$t" ] && { "$build/fuzz/$t" "${args[@]}" || status=$?; }
  done
  exit $status
fi
loader=/usr/lib/wine/wine64; [ "$target" = i686 ] && loader=/usr/lib/wine/wine
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-$target.cmake" -DVERDALUX_WERROR=ON \
  "-DVERDALUX_SKIP=${VERDALUX_SKIP:-}" >/dev/null
cmake --build "$build" -j "$(nproc)" --target "${targets[@]}"
export VERDALUX_WINEPREFIX="$build/wineprefix" VERDALUX_WINE_LOADER="$loader"
# The printing tests print to a private CUPS scheduler in the build folder;
# when it does not start they fail and say so, everything else still runs.
cups="$build/cups"
export CUPS_SERVER="$cups/cups.sock"
"$root/scripts/cups-private.sh" start "$cups" >/dev/null ||
  echo "dev-test: the private CUPS scheduler did not start; printing tests will fail" >&2
trap '"$root/scripts/cups-private.sh" stop "$cups"' EXIT
status=0
for t in "${targets[@]}"; do
  exe="$build/bin/$t.exe"
  [ -f "$exe" ] || continue
  echo "== $t ($target)"
  # Wine's desktop process must not outlive the display it was started on.
  xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    rc=0; "$0" "$@" || rc=$?
    WINEPREFIX="$VERDALUX_WINEPREFIX" /usr/lib/wine/wineserver -k 2>/dev/null || true
    exit $rc' "$root/scripts/wine-run.sh" "$exe" "${args[@]}" || status=$?
done
exit $status
