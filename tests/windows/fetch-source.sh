#!/usr/bin/env bash
# The upstream sources of a Debian source package, downloaded and unpacked once:
#   tests/windows/fetch-source.sh PACKAGE ROOT         unpacks into ROOT/PACKAGE-VERSION/ and
#                                                      prints that folder
#   tests/windows/fetch-source.sh --versions PACKAGE   the versions apt-cache showsrc lists,
#                                                      newest first
# The registry may not serve every version it lists (a security update's files can answer 404),
# so the versions are tried newest first until one downloads completely: apt-get source ends
# with status 0 and the .orig archive is there. A folder counts only once it holds its .unpacked
# stamp, written after unpacking; a half-done one is removed. When no version downloads, the
# message names the package and the versions tried, and the status is 1. Needs deb-src entries
# (build-deps.sh adds them). Debian's own patches are not applied: the upstream archive is used.
set -euo pipefail
shopt -s nullglob extglob

# Prints the versions of source package $1 that apt-cache lists, newest first by Debian's
# ordering (which sort -V gets wrong for "~" and epochs).
list_versions() {
    local listed=() sorted=() version i
    mapfile -t listed < <(apt-cache showsrc "$1" 2>/dev/null | sed -n 's/^Version: *//p' | sort -u)
    for version in "${listed[@]}"; do
        i=0
        while [ "$i" -lt "${#sorted[@]}" ] && dpkg --compare-versions "${sorted[$i]}" gt "$version"; do
            i=$((i + 1))
        done
        sorted=("${sorted[@]:0:i}" "$version" "${sorted[@]:i}")
    done
    [ "${#sorted[@]}" -eq 0 ] || printf '%s\n' "${sorted[@]}"
}

# Downloads version $2 of source package $1 and unpacks its .orig archive into folder $3, then
# stamps it. On failure says why, leaves no folder and returns 1.
fetch_version() {
    local package=$1 version=$2 dir=$3 upstream archives=()
    upstream=${version#*:}
    upstream=${upstream%-*}
    rm -rf "$dir"
    mkdir -p "$dir/.download"
    if ! (cd "$dir/.download" &&
          apt-get source -qq -o APT::Sandbox::User=root --download-only "$package=$version") >&2; then
        echo "$package $version: apt-get source failed" >&2
    else
        archives=("$dir/.download/${package}_$upstream".orig.tar.@(xz|gz|bz2|lzma))
        if [ "${#archives[@]}" -ne 1 ]; then
            echo "$package $version: the download holds no ${package}_$upstream.orig.tar.* archive" >&2
        elif ! tar -xf "${archives[0]}" -C "$dir" --strip-components=1; then
            echo "$package $version: cannot unpack ${archives[0]##*/}" >&2
        else
            rm -rf "$dir/.download"
            touch "$dir/.unpacked"
            return 0
        fi
    fi
    rm -rf "$dir"
    return 1
}

if [ "${1:-}" = --versions ]; then
    list_versions "${2:?usage: fetch-source.sh --versions PACKAGE}"
    exit 0
fi
package=${1:?usage: fetch-source.sh PACKAGE ROOT}
root=${2:?usage: fetch-source.sh PACKAGE ROOT}
mkdir -p "$root"
# One download at a time per package: a second caller waits, then finds the folder stamped.
exec 8>"$root/$package.lock"
flock 8

mapfile -t versions < <(list_versions "$package")
if [ "${#versions[@]}" -eq 0 ]; then
    echo "apt-cache showsrc lists no version of the source package $package (no deb-src entries?)" >&2
    exit 1
fi
for version in "${versions[@]}"; do
    dir=$root/$package-${version#*:}
    if [ -f "$dir/.unpacked" ] || fetch_version "$package" "$version" "$dir"; then
        echo "$dir"
        exit 0
    fi
done
echo "Could not download the source package $package; versions tried, newest first: ${versions[*]}" >&2
exit 1
