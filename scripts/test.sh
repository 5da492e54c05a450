#!/bin/bash
# Sets up what is missing, builds every target and runs every test headless:
# the pure core natively (with its fuzzers), then each Windows target under
# its own Wine loader in its own private prefix.
#   scripts/test.sh [ctest arguments for the Windows targets...]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"
jobs="$(nproc)"
timings=()
phase_start=$SECONDS
phase() { timings+=("$(printf '%-28s %4d s' "$1" $((SECONDS - phase_start)))"); phase_start=$SECONDS; }

# The core natively, under AddressSanitizer and UndefinedBehaviorSanitizer;
# CTest runs its tests and each fuzzer for a bounded number of runs.
cmake -S "$root" -B "$root/build/native" -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVERDALUX_WERROR=ON >/dev/null
cmake --build "$root/build/native" -j "$jobs"
phase "native build"
ctest --test-dir "$root/build/native" --output-on-failure
phase "native tests and fuzzers"

# i686 is the product; x86_64 is the same code for 64-bit Windows. Each
# target's tests print to a private CUPS scheduler in its build folder, which
# ends with them, also when they fail or the run is interrupted.
status=0
cups=""
stop_cups() { [ -z "$cups" ] || "$root/scripts/cups-private.sh" stop "$cups"; cups=""; }
trap stop_cups EXIT
for target in i686 x86_64; do
  build="$root/build/$target"
  bench=OFF; loader=/usr/lib/wine/wine
  [ "$target" = x86_64 ] && bench=ON && loader=/usr/lib/wine/wine64
  cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-$target.cmake" \
    -DVERDALUX_WERROR=ON -DVERDALUX_TESTS=ON -DVERDALUX_BENCH=$bench >/dev/null
  cmake --build "$build" -j "$jobs"
  phase "$target build"
  # A private X display of true-colour depth (xvfb-run's default is 8 bits) and
  # a private Wine prefix inside the build folder; both end with the run.
  cups="$build/cups"
  # Without the scheduler every other test still runs; the printing tests
  # fail, naming the reason.
  "$root/scripts/cups-private.sh" start "$cups" >/dev/null ||
    echo "test.sh: the private CUPS scheduler did not start; the printing tests will fail" >&2
  CUPS_SERVER="$cups/cups.sock" VERDALUX_WINEPREFIX="$build/wineprefix" VERDALUX_WINE_LOADER="$loader" xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    set -e
    "$0/scripts/wine-run.sh" cmd /c exit >/dev/null 2>&1 || true
    rc=0
    ctest --test-dir "$1" --output-on-failure "${@:2}" || rc=$?
    WINEPREFIX="$VERDALUX_WINEPREFIX" /usr/lib/wine/wineserver -k 2>/dev/null || true
    exit $rc
  ' "$root" "$build" "$@" || status=$?
  stop_cups
  phase "$target tests"
done
printf 'test.sh: %s\n' "${timings[@]}"
exit $status
