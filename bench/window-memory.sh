#!/usr/bin/env bash
# Memory (PSS) of the window program and any process it starts, after five lookups, on its own
# Xvfb display.   bench/window-memory.sh build/lexano [links|meanings]
# links: each lookup is followed by following the first link of its page from the keyboard
# (Tab, Enter), five links in all; meanings: two searches in the meanings after the lookups.
# GDK_GL is passed through: GDK_GL= (empty) measures GDK's default, which loads OpenGL.
set -euo pipefail
program=$1
mode=${2:-}
dir=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$dir/display" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; [ -n "${app:-}" ] && kill $app 2>/dev/null; rm -rf "$dir"; true' EXIT
until [ -s "$dir/display" ]; do sleep 0.05; done
export DISPLAY=:$(head -1 "$dir/display")
"$program" >/dev/null 2>&1 &
app=$!
until xdotool search --onlyvisible --name "^Quenmark Dictionary$" >/dev/null 2>&1; do sleep 0.05; done
sleep 0.5
# Back to the list, and the search box emptied (it holds the word of the page last shown).
to_list() {
    xdotool key BackSpace
    sleep 0.2
    xdotool key ctrl+a BackSpace
}
for word in bank run break make play; do
    xdotool type --delay 20 "$word"
    xdotool key Return
    sleep 0.5
    if [ "$mode" = links ]; then
        xdotool key Tab Return
        sleep 0.5
    fi
    to_list
done
if [ "$mode" = meanings ]; then
    for text in "large feline" "sweet fruit"; do
        xdotool type --delay 20 "$text"
        xdotool key ctrl+Return
        sleep 0.5
        to_list
    done
fi
sleep 1
pss() { awk '/^Pss:/ {print $2}' "/proc/$1/smaps_rollup" 2>/dev/null || echo 0; }
# The pages no other process shares (USS): unlike PSS, not lowered by other programs that map
# the same libraries at the time.
uss() { awk '/^Private_(Clean|Dirty):/ {n += $2} END {print n + 0}' "/proc/$1/smaps_rollup" 2>/dev/null || echo 0; }
descendants() { local c; for c in $(pgrep -P "$1"); do echo "$c"; descendants "$c"; done; }
total=0 private=0
for pid in $app $(descendants $app | sort -u); do
    kb=$(pss "$pid")
    own=$(uss "$pid")
    printf '%-8s %-24s %8s kB PSS %8s kB private\n' "$pid" "$(cat /proc/$pid/comm 2>/dev/null)" "$kb" "$own"
    total=$((total + kb)) private=$((private + own))
done
echo "total PSS: $((total / 1024)) MB (private: $((private / 1024)) MB)"
