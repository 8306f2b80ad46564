#!/usr/bin/env bash
# Builds the libraries the Windows cross-build needs and Debian has no MinGW package for, from
# Debian's own source packages, once per machine:
#   tests/windows/build-deps.sh ARCH [--wx]     ARCH: x86_64 or i686
# zlib always; with --wx also wxMSW (static; core, base and html, without the web view, image
# formats, XML, XRC, SVG and Tango art). Each is installed to its own folder named after the
# Debian source version:
#   ~/.cache/lexano/mingw-ARCH/zlib-VERSION/
#   ~/.cache/lexano/mingw-ARCH/wxwidgets-VERSION/     (lib/cmake/wxWidgets/wxWidgetsConfig.cmake)
# where cmake/toolchains/mingw-w64-ARCH.cmake finds them. A folder that is complete (it holds
# a .complete stamp) is kept, so a second run returns at once. LEXANO_CACHE moves ~/.cache/lexano.
set -euo pipefail

ARCH=${1:?usage: build-deps.sh x86_64|i686 [--wx]}
WANT_WX=0
[ "${2:-}" = "--wx" ] && WANT_WX=1
case "$ARCH" in x86_64|i686) ;; *) echo "unknown architecture: $ARCH" >&2; exit 2 ;; esac

ROOT=$(cd "$(dirname "$0")/../.." && pwd)
CACHE=${LEXANO_CACHE:-$HOME/.cache/lexano}
PREFIXES=$CACHE/mingw-$ARCH
SOURCES=$CACHE/src
TOOLCHAIN=$ROOT/cmake/toolchains/mingw-w64-$ARCH.cmake
JOBS=${LEXANO_JOBS:-2}

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# apt-get source needs deb-src entries; add them beside the deb ones when there are none.
enable_source_packages() {
    apt-cache showsrc zlib 2>/dev/null | grep -q '^Version:' && return 0
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

# The Debian version of source package $1 (e.g. 3.2.2+dfsg-2).
source_version() {
    apt-cache showsrc "$1" | sed -n 's/^Version: \(.*:\)\{0,1\}//p' | sort -V | tail -n1
}

# Unpacks source package $1 under $SOURCES and prints the folder.
unpack_source() {
    local package=$1 version=$2
    local dir=$SOURCES/$package-$version
    if [ ! -f "$dir/.unpacked" ]; then
        rm -rf "$dir" && mkdir -p "$dir"
        (cd "$dir" && apt-get source -qq -o APT::Sandbox::User=root --download-only "$package" >&2)
        tar -xf "$dir"/*.orig.tar.* -C "$dir" --strip-components=1
        touch "$dir/.unpacked"
    fi
    echo "$dir"
}

# Removes the other versions of package $1 from $PREFIXES, so that only one is found.
drop_other_versions() {
    local keep=$1 old
    for old in "$PREFIXES/${keep%%-*}"-*; do
        [ -e "$old" ] && [ "$old" != "$PREFIXES/$keep" ] && rm -rf "$old"
    done
    return 0
}

build_zlib() {
    local version prefix src work
    version=$(source_version zlib)
    prefix=$PREFIXES/zlib-$version
    [ -f "$prefix/.complete" ] && return 0
    echo "Building zlib $version for $ARCH-w64-mingw32 into $prefix"
    src=$(unpack_source zlib "$version")
    work=$CACHE/build/zlib-$version-$ARCH
    rm -rf "$work" "$prefix"
    cmake -S "$src" -B "$work" -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release \
        -DLEXANO_MINGW_DEPS=/nonexistent >"$work.log" 2>&1 || { cat "$work.log"; return 1; }
    cmake --build "$work" --target zlibstatic -j"$JOBS" >>"$work.log" 2>&1 || { cat "$work.log"; return 1; }
    # Installed by hand: zlib's install step would also bring the DLL and its import library.
    mkdir -p "$prefix/include" "$prefix/lib"
    cp "$src/zlib.h" "$work/zconf.h" "$prefix/include/"
    cp "$work/libzlibstatic.a" "$prefix/lib/libz.a"
    drop_other_versions "zlib-$version"
    rm -rf "$work"
    touch "$prefix/.complete"
}

build_wx() {
    local version prefix src work start
    version=$(source_version wxwidgets3.2)
    prefix=$PREFIXES/wxwidgets-$version
    [ -f "$prefix/.complete" ] && return 0
    echo "Building wxMSW $version for $ARCH-w64-mingw32 into $prefix (log: $CACHE/build/wx-$version-$ARCH.log)"
    start=$(date +%s)
    src=$(unpack_source wxwidgets3.2 "$version")
    work=$CACHE/build/wx-$version-$ARCH
    rm -rf "$work" "$prefix"
    local options=(
        -DwxBUILD_SHARED=OFF -DwxBUILD_MONOLITHIC=OFF -DwxBUILD_SAMPLES=OFF -DwxBUILD_TESTS=OFF
        -DwxBUILD_DEMOS=OFF -DwxBUILD_BENCHMARKS=OFF -DwxBUILD_INSTALL=ON
        # Debian's source has no bundled zlib, libpng, libjpeg, libtiff or expat: zlib is ours.
        -DwxUSE_ZLIB=sys -DwxUSE_REGEX=OFF -DwxUSE_EXPAT=OFF -DwxUSE_LIBJPEG=OFF
        -DwxUSE_LIBPNG=OFF -DwxUSE_LIBTIFF=OFF -DwxUSE_NANOSVG=OFF -DwxUSE_LIBLZMA=OFF
        -DwxUSE_WEBVIEW=OFF -DwxUSE_XML=OFF -DwxUSE_XRC=OFF -DwxUSE_SVG=OFF
        -DwxUSE_ARTPROVIDER_TANGO=OFF -DwxUSE_WEBREQUEST=OFF -DwxUSE_MEDIACTRL=OFF
        -DwxUSE_STC=OFF -DwxUSE_RICHTEXT=OFF -DwxUSE_AUI=OFF -DwxUSE_PROPGRID=OFF
        -DwxUSE_RIBBON=OFF -DwxUSE_OPENGL=OFF -DwxUSE_GLCANVAS=OFF -DwxUSE_DEBUGREPORT=OFF
    )
    mkdir -p "$CACHE/build"
    {
        cmake -S "$src" -B "$work" -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release \
            -DCMAKE_INSTALL_PREFIX="$prefix" "${options[@]}" &&
        nice -n 10 cmake --build "$work" -j"$JOBS" &&
        cmake --install "$work"
    } >"$work.log" 2>&1 || { tail -n 60 "$work.log"; echo "wx build failed: $work.log" >&2; return 1; }
    [ -f "$prefix/lib/cmake/wxWidgets/wxWidgetsConfig.cmake" ] ||
        { echo "wx installed no wxWidgetsConfig.cmake under $prefix" >&2; return 1; }
    drop_other_versions "wxwidgets-$version"
    rm -rf "$work"
    touch "$prefix/.complete"
    echo "wxMSW built in $(( $(date +%s) - start )) s"
}

mkdir -p "$PREFIXES" "$SOURCES" "$CACHE/build"
# One build at a time per architecture: a second run waits, then finds the work done.
exec 9>"$PREFIXES.lock"
flock 9
enable_source_packages
build_zlib
[ "$WANT_WX" -eq 1 ] && build_wx
exit 0
