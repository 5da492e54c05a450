#!/bin/bash
# Regenerates the sample documents in this folder: builds the generator for
# x86_64 and runs it under Wine. Usage: samples/make_samples.sh [build folder]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(realpath -m "${1:-$root/build/samples}")"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-x86_64.cmake" >/dev/null
cmake --build "$build" --target make_samples
export VERDALUX_WINEPREFIX="$build/wineprefix"
# Fonts and the screen's metrics enter the metafiles, so record on the same
# private display the tests use.
xvfb-run -a -s "-screen 0 1280x1024x24" "$root/scripts/wine-run.sh" "$build/bin/make_samples.exe" "Z:$root/samples"
