# shellcheck shell=bash
# Progress lines for a long build whose output goes to a log; sourced by build-deps.sh.
#
# with_progress LABEL LOG COMMAND [ARGS...]
#   Runs COMMAND with its output appended to LOG. Every LEXANO_PROGRESS_SECONDS (45 unless
#   set) it prints LABEL, the time elapsed and the last "[ nn%]" line of LOG, so that a build
#   of half an hour is not taken for hung. Returns COMMAND's status; the ticker is gone by
#   then, whether COMMAND succeeded or failed. COMMAND runs as the left side of "||": a shell
#   function given as COMMAND must chain its steps with && itself, since set -e does not stop it.

# The last "[ nn%]" line of log $1, or a note that there is none yet.
last_progress_line() {
    local line
    line=$(grep -a -o '\[ *[0-9]\{1,3\}%\].*' "$1" 2>/dev/null | tail -n 1 | cut -c 1-120) || true
    echo "${line:-no [ nn%] line yet}"
}

# Prints a progress line every interval until it is sent TERM or its script has ended (a
# background job ignores the SIGINT that ends its script, so it checks). Its sleeps hold none of
# the script's output: a pipe reading that output ends when the script does.
progress_ticker() {
    local label=$1 log=$2 script=$$ start=$SECONDS nap=
    local interval=${LEXANO_PROGRESS_SECONDS:-45}
    trap '[ -n "$nap" ] && kill "$nap" 2>/dev/null; exit 0' TERM
    while kill -0 "$script" 2>/dev/null; do
        sleep "$interval" >/dev/null 2>&1 &
        nap=$!
        wait "$nap" || true
        nap=
        local elapsed=$((SECONDS - start))
        printf '%s: %dm%02ds, %s\n' "$label" $((elapsed / 60)) $((elapsed % 60)) \
            "$(last_progress_line "$log")"
    done
}

with_progress() {
    local label=$1 log=$2 ticker status=0
    shift 2
    progress_ticker "$label" "$log" &
    ticker=$!
    "$@" >>"$log" 2>&1 || status=$?
    kill "$ticker" 2>/dev/null || true
    wait "$ticker" 2>/dev/null || true
    return "$status"
}
