#!/bin/bash
# The command line against Ghostscript on one drawing at one output size:
# the four-quadrant drawing made once as EMF (for Verdalux) and as SVG, which
# rsvg-convert turns into PDF (for Ghostscript); 10000 x 14142 with 5 % borders
# makes 11000 x 15556 pixels, and Ghostscript renders the page at that size.
# Each run is one process, timed by /usr/bin/time (wall, CPU, peak memory);
# the disk is synced before each run so one run's writeback does not slow the
# next. Verdalux's figures are also given minus an empty run's process start.
#   bench/cli/compare.sh BUILD_FOLDER [WORK_FOLDER]
# BUILD_FOLDER holds a built x86_64 verdalux.exe, quadrants.exe and stream_bench.exe.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="$(realpath -m "$1")"
work="$(realpath -m "${2:-$build/compare}")"
mkdir -p "$work"

"$root/scripts/setup.sh"  # Ghostscript and rsvg-convert among the rest

export VERDALUX_WINEPREFIX="$build/wineprefix"
run="$root/scripts/wine-run.sh"
windows() { printf 'Z:%s' "$1" | tr '/' '\\'; }
"$run" cmd /c exit >/dev/null 2>&1 || true
# One wineserver for all runs, so none pays for starting it.
WINEPREFIX="$VERDALUX_WINEPREFIX" /usr/lib/wine/wineserver -p >/dev/null 2>&1 </dev/null &
trap 'WINEPREFIX="$VERDALUX_WINEPREFIX" /usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT
sleep 1

"$run" "$build/bin/quadrants.exe" "$(windows "$work")" >/dev/null
rsvg-convert -f pdf -o "$work/quadrants.pdf" "$work/quadrants.svg"
emf="$(windows "$work/quadrants.emf")"

rows=()
# measure NAME COMMAND...: one timed run after a sync; its outputs are removed after.
measure() {
  local name="$1"; shift
  sync
  local status=0
  /usr/bin/time -o "$work/time.txt" -f '%e %U %S %M' "$@" >/dev/null 2>"$work/stderr.txt" || status=$?
  [ $status -eq 0 ] || { echo "compare: $name failed ($status):"; cat "$work/stderr.txt"; } >&2
  rows+=("$name $(tail -1 "$work/time.txt")")
  rm -f "$work"/out.*
}
measure "empty-start" "$run" "$build/bin/verdalux.exe" --help
for f in bmp png; do
  measure "verdalux-$f-11000x15556" "$run" "$build/bin/verdalux.exe" --render "$emf" --out "$(windows "$work/out.$f")" \
    --width 10000 --border 5,5,5,5
done
measure "verdalux-png-11000x155562" "$run" "$build/bin/verdalux.exe" --render "$emf" \
  --out "$(windows "$work/out.png")" --width 10000 --border 5,5,5,995
measure "gs-bmp16m-11000x15556" gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=bmp16m -g11000x15556 -dPDFFitPage \
  -o "$work/out.bmp" "$work/quadrants.pdf"
measure "gs-png16m-11000x15556" gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=png16m -g11000x15556 -dPDFFitPage \
  -o "$work/out.png" "$work/quadrants.pdf"

start=$(printf '%s\n' "${rows[@]}" | awk '$1 == "empty-start" { print $2 }')
printf '%-28s %8s %8s %8s %10s %16s\n' program wall user sys "peak MB" "wall - start"
for r in "${rows[@]}"; do
  set -- $r
  minus="-"
  case "$1" in verdalux-*) minus=$(awk -v w="$2" -v s="$start" 'BEGIN { printf "%.2f", w - s }') ;; esac
  printf '%-28s %8s %8s %8s %10.1f %16s\n' "$1" "$2" "$3" "$4" "$(awk -v k="$5" 'BEGIN { print k / 1024 }')" "$minus"
done

# Where Verdalux's time goes, format by format.
echo
for f in bmp png; do
  sync
  "$run" "$build/bin/stream_bench.exe" "$emf" "$(windows "$work/out.$f")" 10000 5
  rm -f "$work"/out.*
done
