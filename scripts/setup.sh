#!/bin/bash
# Installs what Verdalux needs to build, test and run, from Debian's packages.
# Idempotent and quick when everything is already there.
set -euo pipefail
packages=(
  cmake make
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine64 wine
  xvfb xauth x11-utils imagemagick
  googletest
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
