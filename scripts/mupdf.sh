#!/bin/bash
# Cross-builds MuPDF (libmupdf.a and libmupdf-third.a) for one Windows target,
# once: a second run finds the installed library and stops.
#   scripts/mupdf.sh i686|x86_64 [third-party folder]
# Libraries, headers and a ".built" stamp land in <folder>/mupdf-<target>.
# MuPDF decodes JPEG with the program's own libjpeg (scripts/libjpeg.sh, run
# first): two copies of libjpeg in one program would clash, and MuPDF's
# bundled way replaces libjpeg's memory functions with its own.
#
# Debian's mupdf source package has its bundled libraries stripped out; they
# come from Debian's own source packages instead (the newest version the
# archive serves, so security updates win), copied into MuPDF's thirdparty/
# folder, where MuPDF's makefiles build them. The work folder
# <folder>/mupdf-src keeps the fetched sources and is reused by the other
# target.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
target="${1:?usage: mupdf.sh i686|x86_64 [folder]}"
third="$(realpath -m "${2:-$root/build/third_party}")"
prefix="$third/mupdf-$target"
# Fixes to MuPDF's own code are the patches in scripts/mupdf-fixes; the stamp
# names a digest of them, so a build made before a fix was added or changed
# is made again.
fixes="fixes $(find "$root/scripts/mupdf-fixes" -name '*.patch' -print0 | sort -z | xargs -0 -r cat | sha256sum |
  cut -c1-16)"
built() { [ -f "$prefix/.built" ] && grep -qx "$fixes" "$prefix/.built"; }
built && exit 0

case "$target" in
  x86_64) os=mingw64-cross ;;
  i686) os=mingw32-cross ;;
  *) echo "mupdf: unknown target $target" >&2; exit 2 ;;
esac

SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
work="$third/mupdf-src"
mkdir -p "$work"
# Both targets share the work folder: one build at a time.
exec 9>"$work/.lock"
flock 9
built && exit 0

command -v dpkg-source >/dev/null || $SUDO apt-get install -y -qq --no-install-recommends dpkg-dev >/dev/null

# Unpacks source package $1 into $work once and prints its folder. When the
# newest version's files are missing from the archive (a security suite may
# list a version it does not serve), older listed versions are tried.
fetch() {
  local pkg="$1" dir
  dir="$(find "$work" -maxdepth 1 -type d -name "$2" | sort | tail -n 1)"
  if [ -z "$dir" ]; then
    echo "mupdf: fetching Debian's $pkg source package" >&2
    if ! (cd "$work" && apt-get source -qq "$pkg" >/dev/null 2>&1); then
      local v
      for v in $(apt-cache showsrc "$pkg" | awk '/^Version:/ {print $2}' | sort -rVu); do
        (cd "$work" && apt-get source -qq "$pkg=$v" >/dev/null 2>&1) && break
      done
    fi
    dir="$(find "$work" -maxdepth 1 -type d -name "$2" | sort | tail -n 1)"
  fi
  [ -n "$dir" ] || { echo "mupdf: could not fetch the $pkg source package" >&2; exit 1; }
  echo "$dir"
}

tree="$work/tree"
if [ ! -f "$tree/.prepared" ]; then
  if ! apt-cache showsrc mupdf 2>/dev/null | grep -q '^Package:'; then
    "$root/scripts/apt-update.sh"
  fi
  mupdf="$(fetch mupdf 'mupdf-[0-9]*')"
  freetype="$(fetch freetype 'freetype-[0-9]*')"
  harfbuzz="$(fetch harfbuzz 'harfbuzz-[0-9]*')"
  jbig2dec="$(fetch jbig2dec 'jbig2dec-[0-9]*')"
  openjpeg="$(fetch openjpeg2 'openjpeg2-[0-9]*')"
  zlib="$(fetch zlib 'zlib-[0-9]*')"
  mujs="$(fetch mujs 'mujs-[0-9]*')"

  rm -rf "$tree"
  cp -a "$mupdf" "$tree"
  tp="$tree/thirdparty"
  cp -a "$freetype" "$tp/freetype"
  cp -a "$harfbuzz" "$tp/harfbuzz"
  cp -a "$jbig2dec" "$tp/jbig2dec"
  cp -a "$openjpeg" "$tp/openjpeg"
  cp -a "$zlib" "$tp/zlib"
  cp -a "$mujs" "$tp/mujs"

  # openjpeg's CMake writes these two headers; MuPDF's makefiles do not.
  oj="$tp/openjpeg/src/lib/openjp2"
  read -r oj_major oj_minor oj_build < <(
    awk -F'[ )]' '/^set\(OPENJPEG_VERSION_(MAJOR|MINOR|BUILD)/ {printf "%s ", $2}' "$tp/openjpeg/CMakeLists.txt"; echo)
  cat >"$oj/opj_config.h" <<EOF
#define OPJ_HAVE_STDINT_H 1
#define OPJ_VERSION_MAJOR ${oj_major:-2}
#define OPJ_VERSION_MINOR ${oj_minor:-5}
#define OPJ_VERSION_BUILD ${oj_build:-0}
EOF
  cat >"$oj/opj_config_private.h" <<EOF
#define OPJ_HAVE_INTTYPES_H 1
#define OPJ_PACKAGE_VERSION "${oj_major:-2}.${oj_minor:-5}.${oj_build:-0}"
#define OPJ_HAVE_MALLOC_H
#define OPJ_HAVE__ALIGNED_MALLOC
EOF

  # jbig2.h turns "inline" into nothing when it is not a macro, which breaks
  # the inline functions of the headers MuPDF includes after it.
  sed -i '/^\/\* If we don.t have a definition for inline/,/^#endif/d' "$tp/jbig2dec/jbig2.h"

  # Without gumbo (Debian has no source of MuPDF's fork) the HTML5 parser,
  # used only by the HTML and EPUB readers, refuses instead.
  sed -i -e 's/^#include <gumbo.h>$/#if FZ_ENABLE_HTML\n#include <gumbo.h>\n#endif/' \
    -e 's/^struct mem_gumbo {$/#if FZ_ENABLE_HTML\n&/' \
    -e 's/^fz_xml \*fz_xml_find_dfs(/#else\nfz_xml *fz_parse_xml_from_html5(fz_context *ctx, fz_buffer *buf)\n{\n\tfz_throw(ctx, FZ_ERROR_GENERIC, "no HTML5 parser");\n}\n#endif\n\n&/' \
    "$tree/source/fitz/xml.c"

  # The 14 standard PDF fonts: Debian drops the .cff files but keeps their
  # generated C arrays. Empty stand-ins older than those arrays make the
  # makefile compile the arrays without regenerating them.
  for c in "$tree"/generated/resources/fonts/urw/*.cff.c; do
    cff="$tree/resources/fonts/urw/$(basename "${c%.c}")"
    [ -f "$cff" ] || { : >"$cff"; touch -d '2000-01-01' "$cff"; }
  done
  touch -d '2000-01-01' "$tree/scripts/hexdump.sh"
  touch "$tree"/generated/resources/fonts/urw/*.cff.c
  : >"$tree/.prepared"
fi

# Each fix once: a patch that is in already reverses cleanly.
for p in "$root"/scripts/mupdf-fixes/*.patch; do
  patch -d "$tree" -p1 -R -s -f --dry-run <"$p" >/dev/null 2>&1 || patch -d "$tree" -p1 -s -f <"$p"
done

"$root/scripts/libjpeg.sh" "$target" "$third"
jpeg_include="$third/$target/include"

echo "mupdf: building $(basename "$(find "$work" -maxdepth 1 -type d -name 'mupdf-[0-9]*' | head -n 1)") for $target"
start=$SECONDS
log="$third/mupdf-build-$target.log"
# No ICC colour management (MuPDF needs its own lcms2 fork, which Debian does
# not have), no HTML or EPUB (no gumbo), no document JavaScript, and only
# the base 14 fonts embedded.
xcflags="-DFZ_ENABLE_ICC=0 -DFZ_ENABLE_HTML=0 -DFZ_ENABLE_EPUB=0 -DFZ_ENABLE_JS=0 -DTOFU -DTOFU_CJK"
if ! make -C "$tree" -j "$(nproc)" OS="$os" build=release XCFLAGS="$xcflags" \
     USE_SYSTEM_LIBJPEG=yes SYS_LIBJPEG_CFLAGS="-I$jpeg_include" \
     USE_SYSTEM_LCMS2=yes SYS_LCMS2_CFLAGS= USE_SYSTEM_GUMBO=yes SYS_GUMBO_CFLAGS= \
     HAVE_LIBCRYPTO=no HAVE_OBJCOPY=no libs >"$log" 2>&1; then
  tail -n 30 "$log" >&2
  echo "mupdf: the build for $target failed; see $log" >&2
  exit 1
fi
out="$tree/build/$os/release"
rm -rf "$prefix"
mkdir -p "$prefix/lib" "$prefix/include"
cp "$out/libmupdf.a" "$out/libmupdf-third.a" "$prefix/lib/"
cp -a "$tree/include/mupdf" "$prefix/include/"
basename "$(find "$work" -maxdepth 1 -type d -name 'mupdf-[0-9]*' | head -n 1)" >"$prefix/.built"
echo "$fixes" >>"$prefix/.built"
echo "mupdf: $target built in $((SECONDS - start)) s"
