#!/usr/bin/env bash
# Smoke test of the Windows window program under Wine, on an X server of its own (Xvfb with the
# openbox window manager), driven with real input by xdotool:
#   smoke-window.sh WINDOWS_BUILD_DIR DATA_FILE WORK_DIR
# WINDOWS_BUILD_DIR holds lexano.exe and lexano_smoke.exe (the same dialog, plus a report of
# what it shows: tests/windows/WindowSmoke.cpp). Both are copied with the data file into a
# folder whose name the ANSI code page cannot spell, which the program must still open.
# Checks: the resources (our icon first, wx's manifest); --version, --help and an unknown
# option; the window appears with every word and no horizontal scroll bar; typing selects;
# Enter shows the tabs and the page, below the tab row and reached by clicks; related words
# followed by clicks, the history gone through by the mouse's back button and keys, a link framed
# by Tab, Escape, Ctrl+Enter (check_links_and_history); a double click on the headword and "L"
# look it up; a click on a word opens it; "lexano.exe WORD" hands WORD to
# the open window over DDE and ends with status 0; while the open window's process is stopped,
# "lexano.exe WORD" opens a window of its own; the close box ends the program with status 0
# (lexano_smoke, then lexano.exe, which is first started with a word on its command line); in
# Windows' dark app mode the page is drawn dark.
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
# lexano_smoke.exe reports there (tests/windows/WindowSmoke.cpp); lexano.exe ignores it.
export LEXANO_SMOKE_STATE=$STATE
export WINEDEBUG=${WINEDEBUG:--all}

pids=()
PERSONALIZE='HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize'
cleanup() {
    kill "${pids[@]}" 2>/dev/null || true
    wait 2>/dev/null || true
    "$WINE64" reg delete "$PERSONALIZE" /v AppsUseLightTheme /f >/dev/null 2>&1 || true
}
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
    start_program lexano_smoke.exe
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

    check_handover
    check_no_answer

    close_window smoke
    expect_exit_zero lexano_smoke.exe
}

# The number of visible windows titled $TITLE.
count_windows() { xdotool search --onlyvisible --name "^$TITLE\$" 2>/dev/null | wc -l; }

# Runs lexano.exe with the arguments given, in APPDIR, and waits for its end; sets STATUS and MS.
run_lexano() {
    local start=$(date +%s%N)
    STATUS=0
    (cd "$APPDIR" && exec "$WINE64" ./lexano.exe "$@") </dev/null >"$WORK/run.out" 2>"$WORK/run.err" ||
        STATUS=$?
    MS=$(( ($(date +%s%N) - start) / 1000000 ))
}

# A later start hands its word to the open window (lexano_smoke.exe) and ends with status 0;
# the window shows the word's entry and stays the only one.
check_handover() {
    run_lexano Ephemeral
    [ "$STATUS" -eq 0 ] || fail "hand-over: lexano.exe Ephemeral ended with status $STATUS"
    wait_until state_matches edit Ephemeral || fail "hand-over: the open window did not take the word"
    wait_until state_matches mode entry || fail "hand-over: the open window does not show the entry"
    state_matches selected "[0-9]+ ephemeral" || fail "hand-over: \"ephemeral\" is not selected"
    wait_until state_matches page '.*ephemeral.*' || fail "hand-over: the page is not the word's"
    [ "$(count_windows)" -eq 1 ] || fail "hand-over: $(count_windows) windows are open"
    import -window root "$WORK/5-handover.png"
    echo "smoke: lexano.exe Ephemeral handed the word to the open window and ended after $MS ms"
}

# While the open window's process is stopped, a later start opens a window of its own.
check_no_answer() {
    local later start ms
    kill -STOP "$PROGRAM_PID"
    start=$(date +%s%N)
    (cd "$APPDIR" && exec "$WINE64" ./lexano.exe dictionary) </dev/null >/dev/null 2>&1 &
    later=$!
    wait_until sh -c "[ \$(xdotool search --onlyvisible --name '^$TITLE\$' 2>/dev/null | wc -l) -ge 2 ]" ||
        { kill -CONT "$PROGRAM_PID"; kill -KILL "$later"; fail "no answer: no second window"; }
    ms=$(( ($(date +%s%N) - start) / 1000000 ))
    import -window root "$WORK/6-no-answer.png"
    kill -KILL "$later"
    wait "$later" 2>/dev/null || true
    kill -CONT "$PROGRAM_PID"
    wait_until sh -c "[ \$(xdotool search --onlyvisible --name '^$TITLE\$' 2>/dev/null | wc -l) -eq 1 ]" ||
        fail "no answer: the second window did not go"
    echo "smoke: with the open window stopped, lexano.exe opened its own window after $ms ms"
}

# --version and --help on standard output with status 0; an unknown option named on standard
# error with status 2.
check_command_line() {
    run_lexano --version
    [ "$STATUS" -eq 0 ] && grep -q '^lexano (Quenmark Dictionary) ' "$WORK/run.out" ||
        fail "--version: status $STATUS, output: $(cat "$WORK/run.out")"
    run_lexano --help
    [ "$STATUS" -eq 0 ] && grep -q -- '--selection' "$WORK/run.out" ||
        fail "--help: status $STATUS, output: $(cat "$WORK/run.out")"
    run_lexano --bogus
    [ "$STATUS" -eq 2 ] && grep -q -- "unknown option '--bogus'" "$WORK/run.err" ||
        fail "--bogus: status $STATUS, error output: $(cat "$WORK/run.err")"
    [ "$(count_windows)" -eq 0 ] || fail "the command line opened a window"
    echo "smoke: --version, --help and an unknown option answer on the console"
}

check_program() {
    start_program lexano.exe apple
    import -window root "$WORK/7-lexano.png"
    close_window lexano
    expect_exit_zero lexano.exe
}

# Windows' dark app mode (AppsUseLightTheme 0, as the settings write it): the page is drawn
# dark. Wine's own controls stay light, as wxMSW 3.2 leaves them.
check_dark_mode() {
    "$WINE64" reg add "$PERSONALIZE" /v AppsUseLightTheme /t REG_DWORD /d 0 /f >/dev/null 2>&1 ||
        fail "cannot set the dark app mode"
    rm -f "$STATE"
    start_program lexano_smoke.exe apple
    wait_until state_matches mode entry || fail "dark mode: lexano_smoke.exe apple shows no entry"
    wait_until state_matches dark 1 || fail "dark mode: the page is not drawn dark"
    import -window root "$WORK/8-dark-mode.png"
    close_window dark
    expect_exit_zero "lexano_smoke.exe (dark app mode)"
    "$WINE64" reg delete "$PERSONALIZE" /v AppsUseLightTheme /f >/dev/null 2>&1
    echo "smoke: in the dark app mode the page is drawn dark"
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
check_command_line
check_smoke_program
check_program
check_dark_mode
echo "smoke: passed (screenshots in $WORK)"
