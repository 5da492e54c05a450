#!/bin/bash
# Sets up what is missing, builds Verdalux and starts it under Wine.
# With a display the window opens there. Without one, a window nobody can see
# would be no use, so Verdalux does its job instead: it renders the bundled
# sample drawing into a PNG, takes a screenshot of the main window showing the
# same picture on a private display, prints both paths and ends. Arguments
# are passed to verdalux.exe (on a private display when there is none).
# VERDALUX_BUILD picks the build folder (default build/x86_64).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"
build="$(realpath -m "${VERDALUX_BUILD:-$root/build/x86_64}")"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-x86_64.cmake" >/dev/null
export VERDALUX_WINEPREFIX="$build/wineprefix"
exe="$build/bin/verdalux.exe"
if [ -n "${DISPLAY:-}" ]; then
  cmake --build "$build" -j "$(nproc)" --target verdalux
  exec "$root/scripts/wine-run.sh" "$exe" "$@"
fi
if [ $# -gt 0 ]; then
  cmake --build "$build" -j "$(nproc)" --target verdalux
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$root/scripts/wine-run.sh" "$exe" "$@"
fi

cmake --build "$build" -j "$(nproc)" --target verdalux showcase
out="$build/out"
mkdir -p "$out"
picture="$out/drawing.png"
shot="$out/main-window.png"
windows() { printf 'Z:%s' "$1" | tr '/' '\\'; }
# The window's defaults after opening a document: 750 pixels wide, the height
# from its aspect ratio; both pictures get the same border.
xvfb-run -a -s "-screen 0 1280x1024x24" "$root/scripts/wine-run.sh" "$exe" \
  --render "$(windows "$root/samples/drawing.emf")" --out "$(windows "$picture")" \
  --border 5,5,5,5 --border-color '#3366CC'
VERDALUX_EXE="$build/bin/showcase.exe" "$root/scripts/screenshot.sh" "$shot" 8 -- \
  --folder "$(windows "$root/samples")" --open drawing.emf --page 1 --border 5 5 5 5 --color '#3366CC' --render \
  >/dev/null
echo "picture:    $picture"
echo "screenshot: $shot"
