#!/usr/bin/env bash
# Memory (PSS) of the window program with all its web processes after a few lookups, on its own
# Xvfb display.   bench/window-memory.sh build/lexano
set -euo pipefail
program=$1
display=:$((70 + RANDOM % 20))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; [ -n "${app:-}" ] && kill $app 2>/dev/null; true' EXIT
sleep 0.5
export DISPLAY=$display
"$program" >/dev/null 2>&1 &
app=$!
xdotool search --sync --name "Quenmark Dictionary" >/dev/null
sleep 1
for word in bank run break make play; do
    xdotool type --delay 20 "$word"
    xdotool key Return
    sleep 0.7
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
