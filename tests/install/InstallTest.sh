#!/usr/bin/env bash
# The installed program. Installs the build into a temporary prefix, checks the layout and the
# installed files, validates the desktop entry and the AppStream metadata, then starts the
# program the way a desktop menu does (its desktop entry, from another working directory) and
# checks that it opens with the installed data file, no helper processes and no error box, and
# that the entry's action "Look up selection" hands its request to that window.
#
# usage: InstallTest.sh CMAKE BUILD_DIR WORK_DIR SCREENSHOT_DIR
# It starts an X server of its own (Xvfb, no window manager): Xvfb picks a free display itself,
# so the test may run beside other tests that need one.
set -uo pipefail

cmake=$1 build=$2 work=$3 shots=$4
rm -rf "$work" && mkdir -p "$work" "$shots" || exit 1
# Without symbolic links, as /proc names the running program and its folders.
work=$(cd "$work" && pwd -P)
prefix=$work/prefix
program=$prefix/lib/lexano/lexano
status=0
fail() { echo "FAIL: $*"; status=1; }

# Ends every process of the installed program: gio starts it detached from this script.
end_program() {
    local proc
    for proc in /proc/[0-9]*; do
        [ "$(readlink "$proc/exe" 2>/dev/null)" = "$program" ] && kill "${proc#/proc/}" 2>/dev/null
    done
    for _ in $(seq 50); do
        for proc in /proc/[0-9]*; do
            [ "$(readlink "$proc/exe" 2>/dev/null)" = "$program" ] && { sleep 0.1; continue 2; }
        done
        return
    done
}

DESTDIR= "$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" ||
    { cat "$work/install.log"; echo "FAIL: cmake --install"; exit 1; }

# ---- Layout ----
[ -x "$program" ] || fail "no program at lib/lexano/lexano"
[ -L "$prefix/bin/lexano" ] || fail "bin/lexano is not a symbolic link"
[ "$(readlink -f "$prefix/bin/lexano")" = "$program" ] ||
    fail "bin/lexano does not lead to lib/lexano/lexano"
verdict=$("$prefix/bin/lexano-data" verify "$prefix/lib/lexano/LexanoData_WN.pdb" 2>&1)
[[ $verdict == *"ok: "* ]] || fail "installed data file: $verdict"
for licence in lib/lexano/WordNet-LICENSE share/doc/lexano/WordNet-LICENSE; do
    grep -q "WordNet 3.0 Copyright" "$prefix/$licence" 2>/dev/null || fail "no WordNet licence at $licence"
done
for size in 16 32 48 64 128 256; do
    png=$prefix/share/icons/hicolor/${size}x$size/apps/lexano.png
    [ "$(identify -format '%wx%h' "$png" 2>/dev/null)" = "${size}x$size" ] ||
        fail "icon $png is missing or not $size pixels square"
done
[ -s "$prefix/share/icons/hicolor/scalable/apps/lexano.svg" ] || fail "no scalable icon"
for page in lexano lexano-data; do
    man=$prefix/share/man/man1/$page.1
    [ -s "$man" ] || { fail "no manual page $page.1"; continue; }
    warnings=$(groff -man -ww -z "$man" 2>&1)
    [ -z "$warnings" ] || fail "manual page $page.1: $warnings"
done

# ---- Desktop entry and AppStream metadata ----
desktop=$prefix/share/applications/org.quenmark.Lexano.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate"
grep -qx 'Categories=Office;Dictionary;' "$desktop" || fail "desktop entry category"
action=$(sed -n '/^\[Desktop Action lookup-selection\]/,/^\[/s/^Exec=//p' "$desktop")
grep -qx 'Name=Look up selection' "$desktop" && [ "$action" = "lexano --selection" ] ||
    fail "no desktop action \"Look up selection\" running lexano --selection"
# validate-tree also checks that the desktop entry the metadata launches is installed.
appstreamcli validate-tree --no-net "$prefix" >"$work/appstream.log" 2>&1 ||
    { cat "$work/appstream.log"; fail "appstreamcli validate-tree"; }

# ---- The installed program, started from its desktop entry ----
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
# Also when the test is ended early: no program or X server of this test stays behind.
trap 'end_program; kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { cat "$work/xvfb.log"; echo "FAIL: Xvfb"; exit 1; }
export DISPLAY=:$(head -1 "$work/display")

# Exec names the bare command, found through PATH, as with an install under /usr. No copy of
# the data file lies in the working directory or the build folder's reach.
mkdir -p "$work/elsewhere"
(cd "$work/elsewhere" && PATH="$prefix/bin:$PATH" gio launch "$desktop") || fail "gio launch"
# Searched again and again rather than with --sync: xdotool gives up at once when a window
# vanishes while it walks the tree.
window=
for _ in $(seq 200); do
    window=$(xdotool search --onlyvisible --name '^Quenmark Dictionary$' 2>/dev/null | head -1)
    [ -n "$window" ] && break
    sleep 0.1
done
if [ -z "$window" ]; then
    fail "no window titled Quenmark Dictionary"
else
    pid=$(xdotool getwindowpid "$window")
    sleep 1
    [ "$(readlink "/proc/$pid/exe")" = "$program" ] ||
        fail "the window belongs to $(readlink "/proc/$pid/exe"), not the installed program"
    [ "$(readlink "/proc/$pid/cwd")" = "$work/elsewhere" ] || fail "not started in the other folder"
    # The missing-file message box is titled Lexano.
    [ -z "$(xdotool search --onlyvisible --name '^Lexano$')" ] || fail "an error box is shown"
    # The dialog keeps its data file open while it lives.
    ls -l "/proc/$pid/fd" 2>/dev/null | grep -q " -> $prefix/lib/lexano/LexanoData_WN.pdb$" ||
        fail "the program does not hold the installed data file open"
    # The pages are drawn in the program's own window: it starts no other process.
    [ -z "$(pgrep -P "$pid")" ] || fail "the program started other processes: $(pgrep -P "$pid")"
    import -window "$window" "$shots/installed-list-mode.png" || fail "screenshot"
    # The desktop action's command hands over to the open window and ends; no second window.
    (cd "$work/elsewhere" && PATH="$prefix/bin:$PATH" timeout 10 $action) ||
        fail "'$action' did not hand its request to the open window"
    [ "$(xdotool search --onlyvisible --name '^Quenmark Dictionary$' | wc -l)" -eq 1 ] ||
        fail "'$action' opened a second window"
fi

[ $status -eq 0 ] && echo "installed program: ok"
exit $status
