#!/bin/bash
# Builds and runs the render benchmark under Wine, each case in a process of
# its own (peak memory is a whole-process figure).
#   bench/run.sh [a4] [wide] [huge] [raster] [cli] [pdf]   default: all but pdf
# cli: the command line against Ghostscript (bench/cli/compare.sh), which
# installs Ghostscript and rsvg-convert when they are missing, and the same PDF
# through the command line, mutool draw and Ghostscript; pdf: only the latter.
# VERDALUX_BUILD picks the build folder (default build/bench). The huge case
# needs about 3.5 GB of memory.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(realpath -m "${VERDALUX_BUILD:-$root/build/bench}")"
cases=("$@")
[ ${#cases[@]} -gt 0 ] || cases=(a4 wide huge raster cli)
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release "-DVERDALUX_SKIP=${VERDALUX_SKIP:-}" >/dev/null
cmake --build "$build" -j "$(nproc)" --target render_bench raster_bench verdalux quadrants stream_bench
export VERDALUX_WINEPREFIX="$build/wineprefix"
# VERDALUX_BENCH_DOCUMENT renders another document, e.g. samples/page.pdf.
document="$(realpath -m "${VERDALUX_BENCH_DOCUMENT:-$root/samples/drawing.emf}")"
doc="Z:$(printf '%s' "$document" | tr '/' '\\')"
for c in "${cases[@]}"; do
  if [ "$c" = cli ] || [ "$c" = pdf ]; then
    parts="emf pdf"; [ "$c" = pdf ] && parts=pdf
    VERDALUX_COMPARE="$parts" "$root/bench/cli/compare.sh" "$build"
    continue
  fi
  if [ "$c" = raster ]; then
    # Strip memory recycling and the 1:1 repaint of a large picture.
    run=("$build/bin/raster_bench.exe")
  else
    run=("$build/bin/render_bench.exe" "$c" "$doc")
  fi
  xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    rc=0; "$0" "$@" || rc=$?
    WINEPREFIX="$VERDALUX_WINEPREFIX" /usr/lib/wine/wineserver -k 2>/dev/null || true
    exit $rc' "$root/scripts/wine-run.sh" "${run[@]}"
done
