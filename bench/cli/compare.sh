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
# VERDALUX_COMPARE picks the parts, "emf pdf" when not set:
#   emf  Verdalux on the EMF (with borders) against Ghostscript on the PDF;
#   pdf  the same PDF through everyone at 11000 x 15556 without borders:
#        Verdalux's built-in MuPDF, mutool draw (installed when missing) and
#        Ghostscript. VERDALUX_BUILD_I686 names a build folder with the
#        32-bit verdalux.exe to time as well.
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

parts="${VERDALUX_COMPARE:-emf pdf}"
has() { [[ " $parts " == *" $1 "* ]]; }
if has pdf && ! command -v mutool >/dev/null; then
  "$root/scripts/apt-update.sh" && apt-get install -y -q mupdf-tools >/dev/null
fi

# The picture's size as its header says: PNG, BMP or binary PNM.
picture_size() {
  case "$1" in
    *.png) od -An -tu1 -j16 -N8 "$1" | awk '{ print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8 }' ;;
    *.bmp) od -An -td4 -j18 -N8 "$1" | awk '{ print $1 "x" ($2 < 0 ? -$2 : $2) }' ;;
    *.pnm | *.ppm) head -c 32 "$1" | tr '\n' ' ' | awk '{ print $2 "x" $3 }' ;;
  esac
}

rows=()
# measure NAME COMMAND...: one timed run after a sync; the picture's size is
# read, then its outputs are removed.
measure() {
  local name="$1"; shift
  sync
  local status=0
  /usr/bin/time -o "$work/time.txt" -f '%e %U %S %M' "$@" >/dev/null 2>"$work/stderr.txt" || status=$?
  [ $status -eq 0 ] || { echo "compare: $name failed ($status):"; cat "$work/stderr.txt"; } >&2
  local size="-" out
  for out in "$work"/out.*; do [ -f "$out" ] && size="$(picture_size "$out")"; done
  rows+=("$name $(tail -1 "$work/time.txt") $size")
  rm -f "$work"/out.*
}
measure "empty-start" "$run" "$build/bin/verdalux.exe" --help
has emf && for f in bmp png; do
  measure "verdalux-$f-11000x15556" "$run" "$build/bin/verdalux.exe" --render "$emf" --out "$(windows "$work/out.$f")" \
    --width 10000 --border 5,5,5,5
done
has emf && measure "verdalux-png-11000x155562" "$run" "$build/bin/verdalux.exe" --render "$emf" \
  --out "$(windows "$work/out.png")" --width 10000 --border 5,5,5,995
has emf && measure "gs-bmp16m-11000x15556" gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=bmp16m -g11000x15556 -dPDFFitPage \
  -o "$work/out.bmp" "$work/quadrants.pdf"
has emf && measure "gs-png16m-11000x15556" gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=png16m -g11000x15556 -dPDFFitPage \
  -o "$work/out.png" "$work/quadrants.pdf"

if has pdf; then
  pdf="$(windows "$work/quadrants.pdf")"
  for f in bmp png; do
    measure "verdalux-pdf-$f" "$run" "$build/bin/verdalux.exe" --render "$pdf" --out "$(windows "$work/out.$f")" \
      --width 11000 --height 15556
    [ -z "${VERDALUX_BUILD_I686:-}" ] ||
      measure "verdalux32-pdf-$f" "$run" "$VERDALUX_BUILD_I686/bin/verdalux.exe" --render "$pdf" \
        --out "$(windows "$work/out.$f")" --width 11000 --height 15556
  done
  measure "mutool-pnm" mutool draw -q -w 11000 -h 15556 -o "$work/out.pnm" "$work/quadrants.pdf" 1
  measure "mutool-png" mutool draw -q -w 11000 -h 15556 -o "$work/out.png" "$work/quadrants.pdf" 1
  measure "gs-pdf-bmp16m" gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=bmp16m -g11000x15556 -dPDFFitPage \
    -o "$work/out.bmp" "$work/quadrants.pdf"
  measure "gs-pdf-png16m" gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=png16m -g11000x15556 -dPDFFitPage \
    -o "$work/out.png" "$work/quadrants.pdf"
fi

start=$(printf '%s\n' "${rows[@]}" | awk '$1 == "empty-start" { print $2 }')
printf '%-28s %8s %8s %8s %10s %16s  %s\n' program wall user sys "peak MB" "wall - start" picture
for r in "${rows[@]}"; do
  set -- $r
  minus="-"
  case "$1" in verdalux-*) minus=$(awk -v w="$2" -v s="$start" 'BEGIN { printf "%.2f", w - s }') ;; esac
  printf '%-28s %8s %8s %8s %10.1f %16s  %s\n' "$1" "$2" "$3" "$4" "$(awk -v k="$5" 'BEGIN { print k / 1024 }')" "$minus" "$6"
done

# Where Verdalux's time goes, format by format.
if has emf; then
  echo
  for f in bmp png; do
    sync
    "$run" "$build/bin/stream_bench.exe" "$emf" "$(windows "$work/out.$f")" 10000 5
    rm -f "$work"/out.*
  done
fi
