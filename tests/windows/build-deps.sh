#!/usr/bin/env bash
# The libraries the Windows cross-build needs, for one architecture:
#   tests/windows/build-deps.sh ARCH [--wx]     ARCH: x86_64 or i686
# zlib is Debian's libz-mingw-w64-dev (libz.a and its headers under /usr/ARCH-w64-mingw32/),
# which this checks for. With --wx it also builds wxMSW (static; core, base and html, without
# the web view, image formats, XML, XRC, SVG and Tango art) with that zlib, from Debian's source
# package wxwidgets3.2, once per machine, into a folder named after the Debian version:
#   ~/.cache/lexano/mingw-ARCH/wxwidgets-VERSION/     (lib/cmake/wxWidgets/wxWidgetsConfig.cmake)
# where cmake/toolchains/mingw-w64-ARCH.cmake finds it. A build is kept while Debian lists its
# version and its .complete stamp names the options below, so a second run returns at once.
# LEXANO_CACHE moves ~/.cache/lexano; LEXANO_JOBS is the build's job count (2).
set -euo pipefail

ARCH=${1:?usage: build-deps.sh x86_64|i686 [--wx]}
WANT_WX=0
[ "${2:-}" = "--wx" ] && WANT_WX=1
case "$ARCH" in x86_64|i686) ;; *) echo "unknown architecture: $ARCH" >&2; exit 2 ;; esac

HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(cd "$HERE/../.." && pwd)
CACHE=${LEXANO_CACHE:-$HOME/.cache/lexano}
PREFIXES=$CACHE/mingw-$ARCH
SOURCES=$CACHE/src
TOOLCHAIN=$ROOT/cmake/toolchains/mingw-w64-$ARCH.cmake
JOBS=${LEXANO_JOBS:-2}
TRIPLET=$ARCH-w64-mingw32
ZLIB_LIBRARY=/usr/$TRIPLET/lib/libz.a
ZLIB_INCLUDE_DIR=/usr/$TRIPLET/include
WX_PACKAGE=wxwidgets3.2
# shellcheck source=tests/windows/progress.sh
. "$HERE/progress.sh"

WX_OPTIONS=(
    -DwxBUILD_SHARED=OFF -DwxBUILD_MONOLITHIC=OFF -DwxBUILD_SAMPLES=OFF -DwxBUILD_TESTS=OFF
    -DwxBUILD_DEMOS=OFF -DwxBUILD_BENCHMARKS=OFF -DwxBUILD_INSTALL=ON
    # Debian's source has no bundled zlib, libpng, libjpeg, libtiff or expat: zlib is Debian's
    # MinGW one (the toolchain file names its libz.a), the rest is left out.
    -DwxUSE_ZLIB=sys -DwxUSE_REGEX=OFF -DwxUSE_EXPAT=OFF -DwxUSE_LIBJPEG=OFF
    -DwxUSE_LIBPNG=OFF -DwxUSE_LIBTIFF=OFF -DwxUSE_NANOSVG=OFF -DwxUSE_LIBLZMA=OFF
    -DwxUSE_WEBVIEW=OFF -DwxUSE_XML=OFF -DwxUSE_XRC=OFF -DwxUSE_SVG=OFF
    -DwxUSE_ARTPROVIDER_TANGO=OFF -DwxUSE_WEBREQUEST=OFF -DwxUSE_MEDIACTRL=OFF
    -DwxUSE_STC=OFF -DwxUSE_RICHTEXT=OFF -DwxUSE_AUI=OFF -DwxUSE_PROPGRID=OFF
    -DwxUSE_RIBBON=OFF -DwxUSE_OPENGL=OFF -DwxUSE_GLCANVAS=OFF -DwxUSE_DEBUGREPORT=OFF
)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

check_zlib() {
    [ -f "$ZLIB_LIBRARY" ] && [ -f "$ZLIB_INCLUDE_DIR/zlib.h" ] && return 0
    echo "zlib for $TRIPLET is missing ($ZLIB_LIBRARY): install Debian's libz-mingw-w64-dev" \
         "(./dev test installs it)" >&2
    return 1
}

# apt-get source needs deb-src entries; add them beside the deb ones when there are none.
enable_source_packages() {
    # grep reads it all (no -q): an early exit would fail the pipeline on apt-cache's SIGPIPE.
    apt-cache showsrc "$WX_PACKAGE" 2>/dev/null | grep '^Version:' >/dev/null && return 0
    echo "Adding deb-src entries for apt-get source"
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
            as_root tee /etc/apt/sources.list.d/lexano-src.sources >/dev/null
    else
        grep -h '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' |
            as_root tee /etc/apt/sources.list.d/lexano-src.list >/dev/null
    fi
    as_root apt-get update -qq
}

# What a wxMSW build of version $1 is made from; its .complete stamp holds this text.
wx_recipe() {
    echo "$WX_PACKAGE $1 for $TRIPLET with $ZLIB_LIBRARY; ${WX_OPTIONS[*]}"
}

# True when a build of a version Debian lists is complete and made as wx_recipe says (a build
# with zlib from elsewhere or other options is made again).
wx_is_built() {
    local version stamp
    for version in $("$HERE/fetch-source.sh" --versions "$WX_PACKAGE"); do
        stamp=$PREFIXES/wxwidgets-${version#*:}/.complete
        [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$(wx_recipe "${version#*:}")" ] && return 0
    done
    return 1
}

# Configures, builds and installs wxMSW from source folder $1 in build folder $2 into prefix $3.
# shellcheck disable=SC2317  # run through with_progress
wx_steps() {
    cmake -S "$1" -B "$2" -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$3" "${WX_OPTIONS[@]}" &&
    nice -n 10 cmake --build "$2" -j"$JOBS" &&
    cmake --install "$2"
}

build_wx() {
    local src version prefix work start=$SECONDS
    wx_is_built && return 0
    src=$("$HERE/fetch-source.sh" "$WX_PACKAGE" "$SOURCES") || return 1
    version=${src##*/"$WX_PACKAGE"-}
    prefix=$PREFIXES/wxwidgets-$version
    work=$CACHE/build/wx-$version-$ARCH
    rm -rf "$work" "$prefix"
    : >"$work.log"
    echo "Building wxMSW $version for $TRIPLET into $prefix (log: $work.log)"
    if ! with_progress "wxMSW $ARCH" "$work.log" wx_steps "$src" "$work" "$prefix"; then
        tail -n 60 "$work.log"
        rm -rf "$work" "$prefix"
        echo "The wxMSW build failed; its log: $work.log" >&2
        return 1
    fi
    if [ ! -f "$prefix/lib/cmake/wxWidgets/wxWidgetsConfig.cmake" ]; then
        rm -rf "$work" "$prefix"
        echo "The wxMSW build installed no wxWidgetsConfig.cmake; its log: $work.log" >&2
        return 1
    fi
    # Only one wx is found: the one just built.
    local old
    for old in "$PREFIXES"/wxwidgets-*; do
        [ "$old" = "$prefix" ] || rm -rf "$old"
    done
    rm -rf "$work"
    wx_recipe "$version" >"$prefix/.complete"
    echo "wxMSW built in $(( (SECONDS - start) / 60 ))m$(( (SECONDS - start) % 60 ))s"
}

check_zlib
mkdir -p "$PREFIXES" "$CACHE/build"
# One build at a time per architecture: a second run waits, then finds the work done.
exec 9>"$PREFIXES.lock"
flock 9
# zlib was once built here from source; such a build must not be found beside Debian's.
rm -rf "$PREFIXES"/zlib-*
if [ "$WANT_WX" -eq 1 ]; then
    enable_source_packages
    build_wx
fi
exit 0
