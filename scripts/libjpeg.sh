#!/bin/bash
# Cross-builds the IJG libjpeg API (Debian's libjpeg-turbo source package) for
# one Windows target, once: a second run finds the installed library and stops.
#   scripts/libjpeg.sh i686|x86_64 [third-party folder]
# The library, headers and a "built" stamp land in <folder>/<target>; the
# source package is fetched into <folder>/src the first time.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
target="$1"
third="$(realpath -m "${2:-$root/build/third_party}")"
prefix="$third/$target"
[ -f "$prefix/.built" ] && exit 0

SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo

# Source packages need deb-src beside every configured deb source. The deb822
# file gets deb-src added to its Types; one-line sources get a sibling list.
enable_deb_src() {
  local changed=0 f
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    if grep -qE '^Types:.*\bdeb\b' "$f" && grep -E '^Types:' "$f" | grep -qv 'deb-src'; then
      $SUDO sed -i -E '/^Types:/{/deb-src/!s/$/ deb-src/}' "$f"
      changed=1
    fi
  done
  local lists=()
  [ -f /etc/apt/sources.list ] && lists+=(/etc/apt/sources.list)
  for f in /etc/apt/sources.list.d/*.list; do [ -f "$f" ] && lists+=("$f"); done
  local src=/etc/apt/sources.list.d/verdalux-deb-src.list
  if [ ${#lists[@]} -gt 0 ] && [ ! -f "$src" ]; then
    local lines
    lines="$(grep -hE '^deb ' "${lists[@]}" 2>/dev/null | sed 's/^deb /deb-src /' || true)"
    if [ -n "$lines" ]; then
      echo "$lines" | $SUDO tee "$src" >/dev/null
      changed=1
    fi
  fi
  return $((1 - changed))
}

mkdir -p "$third/src"
srcdir="$(find "$third/src" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | sort | tail -n 1)"
if [ -z "$srcdir" ]; then
  echo "libjpeg: fetching Debian's libjpeg-turbo source package"
  if enable_deb_src || ! apt-cache showsrc libjpeg-turbo 2>/dev/null | grep -q '^Package:'; then
    "$root/scripts/apt-update.sh"
  fi
  command -v dpkg-source >/dev/null || $SUDO apt-get install -y -qq --no-install-recommends dpkg-dev >/dev/null
  # apt-get picks the newest version among the configured suites, so a
  # security update wins over the release's own version when there is one.
  (cd "$third/src" && apt-get source -qq libjpeg-turbo >/dev/null)
  srcdir="$(find "$third/src" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | sort | tail -n 1)"
fi
[ -n "$srcdir" ] || { echo "libjpeg: no source folder" >&2; exit 1; }

echo "libjpeg: building $(basename "$srcdir") for $target"
start=$SECONDS
work="$third/build-$target"
rm -rf "$work"
cmake -S "$srcdir" -B "$work" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-$target.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DWITH_SIMD=0 -DENABLE_SHARED=0 -DWITH_TURBOJPEG=0 \
  -DCMAKE_INSTALL_PREFIX="$prefix" >"$third/build-$target.log" 2>&1
cmake --build "$work" -j "$(nproc)" --target install >>"$third/build-$target.log" 2>&1
rm -rf "$work"
echo "$(basename "$srcdir")" >"$prefix/.built"
echo "libjpeg: $target built in $((SECONDS - start)) s"
