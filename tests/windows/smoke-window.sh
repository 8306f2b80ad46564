#!/usr/bin/env bash
# Smoke test of the Windows window program under Wine, on an X server of its own (Xvfb with the
# openbox window manager), driven with real input by xdotool:
#   smoke-window.sh WINDOWS_BUILD_DIR DATA_FILE WORK_DIR
# WINDOWS_BUILD_DIR holds lexano.exe and lexano_smoke.exe (the same dialog, plus a report of
# what it shows: tests/windows/WindowSmoke.cpp). Both are copied with the data file into a
# folder whose name the ANSI code page cannot spell, which the program must still open.
# Checks: the resources (our icon first, wx's manifest); the window appears with every word and
# no horizontal scroll bar; typing selects; Enter shows the tabs and the page, below the tab row
# and reached by clicks; a double click on the headword and "L" look it up; a click on a word
# opens it; the close box ends the program with status 0 (lexano_smoke, then lexano.exe).
# Screenshots go to WORK_DIR/*.png. Wine's prefix: WINEPREFIX, as the stage sets it.
set -euo pipefail

BUILD=$(cd "${1:?usage: smoke-window.sh WINDOWS_BUILD_DIR DATA_FILE WORK_DIR}" && pwd)
DATA=${2:?}
WORK=${3:?}
WINE64=/usr/lib/wine/wine64
TITLE="Quenmark Dictionary"
ROWS=147306

rm -rf "$WORK" && mkdir -p "$WORK"
WORK=$(cd "$WORK" && pwd)
APPDIR=$WORK/Λεξικό
mkdir -p "$APPDIR"
cp "$BUILD/lexano.exe" "$BUILD/lexano_smoke.exe" "$DATA" "$APPDIR/"
STATE=$WORK/state.txt
export WINEDEBUG=${WINEDEBUG:--all}

pids=()
cleanup() { kill "${pids[@]}" 2>/dev/null || true; wait 2>/dev/null || true; }
trap cleanup EXIT

fail() {
    echo "smoke: FAILED: $*" >&2
    [ -f "$STATE" ] && sed 's/^/  state: /' "$STATE" >&2
    import -window root "$WORK/failure.png" 2>/dev/null || true
    exit 1
}

# Waits up to 60 s until command "$@" succeeds.
wait_until() {
    local deadline=$((SECONDS + 60))
    until "$@"; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.1
    done
}

state() { sed -n "s/^$1=//p" "$STATE" 2>/dev/null; }
state_matches() { grep -qE "^$1=$2\$" "$STATE" 2>/dev/null; }

start_display() {
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$WORK/display" 2>"$WORK/xvfb.log" &
    pids+=($!)
    wait_until test -s "$WORK/display" || fail "Xvfb did not start"
    export DISPLAY=:$(head -1 "$WORK/display")
    openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
    pids+=($!)
    wait_until sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' ||
        fail "openbox did not start"
}

# Starts Windows program $1 (in APPDIR) with the arguments after it; sets PROGRAM_PID and WINDOW.
start_program() {
    local name=$1
    shift
    (cd "$APPDIR" && exec "$WINE64" "./$name" "$@") \
        </dev/null >"$WORK/$name.out" 2>"$WORK/$name.err" &
    PROGRAM_PID=$!
    wait_until sh -c "xdotool search --onlyvisible --name '^$TITLE\$' >'$WORK/window'" ||
        fail "$name: no window \"$TITLE\""
    WINDOW=$(head -1 "$WORK/window")
    xdotool windowactivate --sync "$WINDOW" >/dev/null 2>&1 || true
}

click_at() { xdotool mousemove --sync "$1" "$2" click 1; }
double_click_at() { xdotool mousemove --sync "$1" "$2" click --repeat 2 --delay 80 1; }

# On the entry of "dictionary": a click on its first related word in view opens that word and
# puts it into the search box, and so does a click on a related word of that page; the mouse's
# back button, Alt+Right, the keyboard's Back key and Alt+Left go through the history one page
# each; Tab frames a link; Escape goes back to the list; Ctrl+Enter there searches the meanings
# of "dictionary"; Backspace and Enter open "dictionary" again.
check_links_and_history() {
    local lx ly word next
    read -r lx ly word <<<"$(state link)"
    [ -n "$word" ] || fail "links: the page shows no related word"
    click_at "$lx" "$ly"
    wait_until state_matches edit "$word" || fail "links: a click on \"$word\" did not open it"
    wait_until state_matches history "2 1" || fail "links: the history is not dictionary, $word"
    import -window root "$WORK/2a-link.png"
    read -r lx ly next <<<"$(state link)"
    [ -n "$next" ] || fail "links: the page of \"$word\" shows no related word"
    click_at "$lx" "$ly"
    wait_until state_matches edit "$next" || fail "links: a click on \"$next\" did not open it"
    xdotool click 8
    wait_until state_matches history "3 1" || fail "history: mouse back: $(state history), not 3 1"
    xdotool key alt+Right
    wait_until state_matches history "3 2" || fail "history: Alt+Right: $(state history), not 3 2"
    xdotool key XF86Back
    wait_until state_matches history "3 1" || fail "history: Back key: $(state history), not 3 1"
    state_matches edit "$word" || fail "history: the search box does not hold \"$word\""
    xdotool key alt+Left
    wait_until state_matches history "3 0" || fail "history: Alt+Left: $(state history), not 3 0"
    wait_until state_matches page '.*dictionary.*' || fail "history: the page is not dictionary's"
    xdotool key Tab
    wait_until state_matches focuslink 0 || fail "links: Tab framed no link"
    import -window root "$WORK/2b-link-focus.png"
    xdotool key Escape
    wait_until state_matches mode list || fail "Escape did not go back to the list"
    xdotool key ctrl+Return
    wait_until state_matches tabs Meanings || fail "Ctrl+Enter did not search the meanings"
    wait_until state_matches page '.*Meanings with.*dictionary.*' || fail "no page of meanings"
    import -window root "$WORK/2c-meanings.png"
    xdotool key BackSpace
    wait_until state_matches mode list || fail "Backspace did not leave the meanings"
    xdotool key Return
    wait_until state_matches mode entry || fail "Enter did not open dictionary again"
    wait_until state_matches page '.*dictionary.*' || fail "the page is not dictionary's again"
    echo "smoke: clicks on \"$word\", then \"$next\" open them; mouse back, Alt+Right, the Back"
    echo "smoke: key and Alt+Left go a page each; Tab frames a link; Escape goes back to the list;"
    echo "smoke: Ctrl+Enter searches the meanings"
}

# Clicks the close box of the window manager's frame: the right end of the title bar.
close_window() {
    local info x y w left right top
    info=$(xwininfo -id "$WINDOW")
    x=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
    y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
    w=$(sed -n 's/.*Width: *//p' <<<"$info")
    read -r left right top _ <<<"$(xprop -id "$WINDOW" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')"
    import -window root "$WORK/$1-before-close.png"
    click_at $((x + w + right - 12)) $((y - top / 2))
}

# Waits for the program started last to end and checks its status.
expect_exit_zero() {
    local status=0
    wait_until sh -c "! kill -0 $PROGRAM_PID 2>/dev/null" ||
        fail "$1: still running after the close box"
    wait "$PROGRAM_PID" || status=$?
    [ "$status" -eq 0 ] || fail "$1: ended with status $status"
    echo "smoke: $1 closed by its close box, status 0"
}

check_smoke_program() {
    start_program lexano_smoke.exe "$STATE"
    wait_until state_matches rows "$ROWS" || fail "the list does not show $ROWS rows"
    state_matches mode list || fail "not in list mode at start"
    state_matches hscroll 0 || fail "the word list has a horizontal scroll bar"
    import -window root "$WORK/1-start.png"
    echo "smoke: window up, $ROWS rows, no horizontal scroll bar"
    echo "smoke: ANSI code page $(state acp); data file opened beside $(state path)"

    xdotool type --delay 50 "dictionary"
    wait_until state_matches selected "[0-9]+ dictionary" || fail "typing did not select the word"
    echo "smoke: typing selects: $(state selected)"
    xdotool key Return
    wait_until state_matches mode entry || fail "Enter did not open the entry"
    wait_until state_matches tabs Noun || fail "the tabs are not \"Noun\""
    wait_until state_matches page '.*dictionary.*' || fail "the page does not show the entry"
    import -window root "$WORK/2-entry.png"
    [ "$(state tabrow)" -ge 10 ] || fail "the page covers the tab row"
    state_matches hit page || fail "a click on the page reaches another window"
    echo "smoke: Enter shows tabs $(state tabs); page: $(state page | cut -c1-100)"
    check_links_and_history

    read -r hx hy <<<"$(state headword)"
    double_click_at "$hx" "$hy"
    wait_until sh -c "grep -qE '^selection=.+' '$STATE'" || fail "a double click selected nothing"
    local word
    word=$(state selection)
    read -r lx ly <<<"$(state lookup)"
    click_at "$lx" "$ly"
    wait_until state_matches mode list || fail "\"L\" did not go back to the list"
    wait_until state_matches edit "$word" || fail "\"L\" did not look up \"$word\""
    state_matches selected "[0-9]+ $word" || fail "\"L\": \"$word\" is not selected"
    import -window root "$WORK/3-lookup.png"
    echo "smoke: \"L\" looks up the selected \"$word\""

    local rx ry row
    read -r rx ry row <<<"$(state row)"
    click_at "$rx" "$ry"
    wait_until state_matches mode entry || fail "a click on row $row did not open it"
    state_matches selected "$row .*" || fail "the clicked row $row is not the one selected"
    import -window root "$WORK/4-click.png"
    echo "smoke: a click opens row $(state selected)"

    close_window smoke
    expect_exit_zero lexano_smoke.exe
}

check_program() {
    start_program lexano.exe
    import -window root "$WORK/5-lexano.png"
    close_window lexano
    expect_exit_zero lexano.exe
}

# Explorer shows the first icon group: ours must come before wx's. wx's manifest must be there
# (common controls 6, DPI awareness).
check_resources() {
    local rc=$WORK/lexano.rc
    x86_64-w64-mingw32-windres -i "$BUILD/lexano.exe" -O rc -o "$rc" ||
        fail "windres cannot read lexano.exe"
    [ "$(grep -m1 'RT_GROUP_ICON' "$rc" | awk '{print $1}')" = '"AAA_LEXANO"' ] ||
        fail "the first icon group is not the program's"
    grep -q 'Microsoft.Windows.Common-Controls' "$rc" || fail "no common controls 6 manifest"
    grep -q 'dpiAware' "$rc" || fail "the manifest does not declare DPI awareness"
    echo "smoke: resources: program icon first, manifest with common controls 6 and DPI awareness"
}

check_resources
start_display
check_smoke_program
check_program
echo "smoke: passed (screenshots in $WORK)"
