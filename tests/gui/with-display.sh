#!/usr/bin/env bash
# Runs a window test program on an X server of its own (Xvfb, 1280x1024), so that every test
# case gets a fresh display and cases can run side by side. With --wm first, the openbox window
# manager runs on it too, for tests of activation and window-manager decorations. Listing the
# tests (--gtest_list_tests) needs no display and runs the program directly.
#   with-display.sh [--wm] PROGRAM ARGS...
set -uo pipefail
wm=0
if [ "${1:-}" = --wm ]; then wm=1; shift; fi
for arg in "$@"; do
    [ "$arg" = --gtest_list_tests ] && exec "$@"
done

dir=$(mktemp -d)
pids=()
cleanup() { kill "${pids[@]}" 2>/dev/null; wait 2>/dev/null; rm -rf "$dir"; }
trap cleanup EXIT
# Xvfb picks a free display itself and writes its number once it accepts connections.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dir/display" 2>"$dir/xvfb.log" &
pids+=($!)
for _ in $(seq 200); do
    [ -s "$dir/display" ] && break
    kill -0 "${pids[0]}" 2>/dev/null || { cat "$dir/xvfb.log" >&2; exit 1; }
    sleep 0.05
done
[ -s "$dir/display" ] || { echo "with-display.sh: Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(head -1 "$dir/display")
if [ $wm -eq 1 ]; then
    openbox --sm-disable >"$dir/openbox.log" 2>&1 &
    pids+=($!)
    # The window manager is up once it announces itself on the root window.
    for _ in $(seq 200); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.05
    done
fi
"$@"
