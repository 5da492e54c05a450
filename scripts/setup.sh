#!/bin/bash
# Installs what Verdalux needs to build, test and run, from Debian's packages.
# Idempotent and quick when everything is already there.
set -euo pipefail
packages=(
  cmake make
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine64 wine wine32:i386 fonts-wine
  xvfb xauth x11-utils imagemagick
  googletest
  clang-14 libclang-rt-14-dev
  ghostscript librsvg2-bin
  # Printing tests: a private scheduler with the generic PostScript driver;
  # each Wine loader opens libcups of its own architecture at run time.
  cups cups-client libcups2 libcups2:i386
)
SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
export DEBIAN_FRONTEND=noninteractive

# The 32-bit product runs under Wine's 32-bit loader, which comes from the
# i386 architecture.
need_update=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "setup: adding the i386 architecture"
  $SUDO dpkg --add-architecture i386
  need_update=1
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  need_update=1
fi
if [ $need_update -eq 1 ]; then
  "$(dirname "${BASH_SOURCE[0]}")/apt-update.sh"
fi
if [ ${#missing[@]} -gt 0 ]; then
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The IJG libjpeg API from Debian's libjpeg-turbo source package, cross-built
# once per target into build/third_party (kept and reused afterwards).
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# dpkg-source unpacks the source package.
dpkg-query -W -f='${Status}' dpkg-dev 2>/dev/null | grep -q "install ok installed" ||
  $SUDO apt-get install -y -qq --no-install-recommends dpkg-dev >/dev/null
for target in i686 x86_64; do
  "$root/scripts/libjpeg.sh" "$target"
done
