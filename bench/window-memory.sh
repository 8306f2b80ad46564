#!/usr/bin/env bash
# Memory (PSS) of the window program and any process it starts, after five lookups, on its own
# Xvfb display.   bench/window-memory.sh build/lexano
# GDK_GL is passed through: GDK_GL= (empty) measures GDK's default, which loads OpenGL.
set -euo pipefail
program=$1
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
for word in bank run break make play; do
    xdotool type --delay 20 "$word"
    xdotool key Return
    sleep 0.5
    xdotool key BackSpace
    sleep 0.2
    for _ in $(seq ${#word}); do xdotool key BackSpace; done
done
sleep 1
pss() { awk '/^Pss:/ {print $2}' "/proc/$1/smaps_rollup" 2>/dev/null || echo 0; }
descendants() { local c; for c in $(pgrep -P "$1"); do echo "$c"; descendants "$c"; done; }
total=0
for pid in $app $(descendants $app | sort -u); do
    kb=$(pss "$pid")
    printf '%-8s %-24s %8s kB\n' "$pid" "$(cat /proc/$pid/comm 2>/dev/null)" "$kb"
    total=$((total + kb))
done
echo "total PSS: $((total / 1024)) MB"
