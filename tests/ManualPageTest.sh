#!/usr/bin/env bash
# The manual page lexano(1) against the program: every option that "lexano --help" names is
# described in it, the version it names is the program's, and groff formats it without a
# warning. Needs no display: --help and --version answer before any window.
#   ManualPageTest.sh PROGRAM MANUAL_PAGE
set -uo pipefail
program=$1 page=$2
status=0
fail() { echo "FAIL: $*"; status=1; }

help=$("$program" --help) || fail "lexano --help ended with status $?"
options=$(grep -oE '(^|[ ,])--?[a-z][a-z-]*' <<<"$help" | sed 's/^[ ,]//' | sort -u)
[ -n "$options" ] || fail "lexano --help names no option"
for option in $options; do
    # In the page's source a hyphen is written \-.
    grep -qF -- "${option//-/\\-}" "$page" || fail "the manual page does not describe $option"
done

version=$("$program" --version | head -n1 | grep -oE '[0-9]+\.[0-9]+')
header=$(sed -n 's/^\.TH LEXANO 1 "[^"]*" "Lexano \([0-9.]*\)".*/\1/p' "$page")
[ -n "$version" ] && [ "$version" = "$header" ] ||
    fail "the manual page is for Lexano $header, the program is $version"

warnings=$(groff -man -ww -z "$page" 2>&1)
[ -z "$warnings" ] || fail "groff: $warnings"
[ $status -eq 0 ] && echo "manual page: $(wc -w <<<"$options") options described, version $version"
exit $status
