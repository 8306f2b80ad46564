#!/usr/bin/env bash
# Tests of the scripts that fetch and build the Windows stage's libraries, with apt-cache and
# apt-get replaced by stand-ins that serve some versions, answer 404 for others, or hand over a
# download without its .orig archive:
#   tests/windows/deps-scripts-test.sh
# Takes a few seconds; run-stage.sh runs it before the builds it guards.
set -euo pipefail

HERE=$(cd "$(dirname "$0")" && pwd)
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# Stand-ins: apt-cache lists $STUB_LISTED; apt-get source serves the versions in $STUB_SERVED
# (a .dsc and the .orig archive), only the .dsc for those in $STUB_NO_ORIG, a damaged archive
# for those in $STUB_DAMAGED, and answers 404 for the rest. Each download is logged.
mkdir -p "$WORK/bin"
cat >"$WORK/bin/apt-cache" <<'EOF'
#!/usr/bin/env bash
[ "$1" = showsrc ] || exit 100
for v in $STUB_LISTED; do printf 'Package: %s\nVersion: %s\n\n' "$2" "$v"; done
EOF
cat >"$WORK/bin/apt-get" <<'EOF'
#!/usr/bin/env bash
request=${!#}
package=${request%%=*} version=${request#*=}
upstream=${version#*:}; upstream=${upstream%-*}
echo "$version" >>"$STUB_LOG"
served() { case " $1 " in *" $version "*) return 0 ;; esac; return 1; }
if served "$STUB_SERVED"; then
    mkdir -p "tree/$package-$upstream" && echo "$version" >"tree/$package-$upstream/VERSION"
    tar -cJf "${package}_$upstream.orig.tar.xz" -C tree "$package-$upstream" && rm -rf tree
elif served "$STUB_DAMAGED"; then
    echo "not an archive" >"${package}_$upstream.orig.tar.xz"
elif ! served "$STUB_NO_ORIG"; then
    echo "E: Failed to fetch ${package}_$upstream.orig.tar.xz  404  Not Found" >&2
    exit 100
fi
touch "${package}_${version#*:}.dsc"
EOF
chmod +x "$WORK/bin/apt-cache" "$WORK/bin/apt-get"
export PATH=$WORK/bin:$PATH STUB_LOG=$WORK/downloads STUB_SERVED='' STUB_NO_ORIG='' STUB_DAMAGED=''

# Runs fetch-source.sh for package "pkg" into $WORK/src; its folder in $out, messages in $err.
fetch() {
    : >"$STUB_LOG"
    status=0
    out=$("$HERE/fetch-source.sh" pkg "$WORK/src" 2>"$WORK/err") || status=$?
    err=$(cat "$WORK/err")
}

# --- Versions: Debian's ordering, newest first ("~" sorts before the release, epochs first).
export STUB_LISTED="3.2.2+dfsg-2 3.2.10-1 1:1.0-1 3.2.10~rc1-1 3.2.2+dfsg-2"
listed=$("$HERE/fetch-source.sh" --versions pkg | tr '\n' ' ')
[ "$listed" = "1:1.0-1 3.2.10-1 3.2.10~rc1-1 3.2.2+dfsg-2 " ] || fail "versions in the order: $listed"

# --- The newest listed version answers 404, an older one is served: the older one is used.
export STUB_LISTED="3.2.2+dfsg-2 3.2.4-1" STUB_SERVED="3.2.2+dfsg-2"
fetch
[ "$status" -eq 0 ] || fail "fallback to an older version: status $status: $err"
[ "$out" = "$WORK/src/pkg-3.2.2+dfsg-2" ] || fail "fallback folder: $out"
[ "$(tr '\n' ' ' <"$STUB_LOG")" = "3.2.4-1 3.2.2+dfsg-2 " ] || fail "download order: $(cat "$STUB_LOG")"
[ -f "$out/.unpacked" ] && [ "$(cat "$out/VERSION")" = "3.2.2+dfsg-2" ] || fail "fallback not unpacked"
[ ! -e "$WORK/src/pkg-3.2.4-1" ] || fail "the failed version left a folder behind"
[ ! -e "$out/.download" ] || fail "the downloaded files were left in the source folder"

# --- A second run finds the stamped folder without downloading again.
fetch
[ "$status" -eq 0 ] && [ "$out" = "$WORK/src/pkg-3.2.2+dfsg-2" ] || fail "second run: $status $out"
[ "$(tr '\n' ' ' <"$STUB_LOG")" = "3.2.4-1 " ] || fail "second run downloaded: $(cat "$STUB_LOG")"

# --- A half-done folder (no stamp) is not trusted: it is made again.
rm -rf "$WORK/src"
mkdir -p "$WORK/src/pkg-3.2.2+dfsg-2" && echo stale >"$WORK/src/pkg-3.2.2+dfsg-2/VERSION"
fetch
[ "$status" -eq 0 ] && [ "$(cat "$out/VERSION")" = "3.2.2+dfsg-2" ] || fail "half-done folder was used"

# --- Every version fails, each in its own way: status 1, a message naming the package and the
# versions tried, and no folder or stamp left for a later run to trust.
rm -rf "$WORK/src"
export STUB_LISTED="1.0-1 2.0-1 3.0-1" STUB_SERVED='' STUB_NO_ORIG="2.0-1" STUB_DAMAGED="1.0-1"
fetch
[ "$status" -eq 1 ] || fail "all versions failing: status $status"
case "$err" in *"source package pkg"*"3.0-1 2.0-1 1.0-1"*) ;; *) fail "message: $err" ;; esac
case "$err" in *"2.0-1: the download holds no"*) ;; *) fail "no .orig archive not named: $err" ;; esac
case "$err" in *"1.0-1: cannot unpack"*) ;; *) fail "damaged archive not named: $err" ;; esac
[ -z "$out" ] || fail "a folder was printed: $out"
[ -z "$(find "$WORK/src" -mindepth 1 -maxdepth 1 -type d)" ] || fail "folders left: $(ls -A "$WORK/src")"

# --- Nothing listed (no deb-src entries): a clear message.
export STUB_LISTED=
fetch
[ "$status" -eq 1 ] || fail "nothing listed: status $status"
case "$err" in *"lists no version of the source package pkg"*) ;; *) fail "message: $err" ;; esac

# --- Progress lines: printed while the command runs, with the last "[ nn%]" line of its log;
# the command's status is returned; the ticker is gone when it ends, so a pipe reading the
# caller's output closes at once, however long the interval.
cat >"$WORK/progress-check.sh" <<'EOF'
set -euo pipefail
. "$1"
status=0
LEXANO_PROGRESS_SECONDS=$3 with_progress build "$2" bash -c "$4" || status=$?
echo "status $status"
EOF
# Runs with_progress with interval $1 on command $2; its output in $lines, the time in $took.
progress() {
    local start=$SECONDS
    : >"$WORK/build.log"
    lines=$(timeout 20 bash "$WORK/progress-check.sh" "$HERE/progress.sh" "$WORK/build.log" "$@" |
            timeout 20 cat) || true
    took=$((SECONDS - start))
}
progress 1 'sleep 1.5; echo "[ 10%] Building a"; sleep 2; echo "[ 55%] Building b"; sleep 2; exit 3'
[ "$took" -le 8 ] || fail "the output stayed open $took s"
case "$lines" in *"build: 0m0"*"s, no [ nn%] line yet"*) ;; *) fail "first line: $lines" ;; esac
case "$lines" in *"s, [ 10%] Building a"*"s, [ 55%] Building b"*) ;; *) fail "progress: $lines" ;; esac
case "$lines" in *"status 3") ;; *) fail "status not returned: $lines" ;; esac
grep -q '^\[ 55%\] Building b$' "$WORK/build.log" || fail "the command's output is not in the log"
progress 30 'echo "[100%] Built"'
[ "$took" -le 3 ] || fail "the output stayed open $took s after a 30 s interval"
[ "$lines" = "status 0" ] || fail "a quick command: $lines"

if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s)" >&2
    exit 1
fi
echo "deps scripts: all checks passed"
