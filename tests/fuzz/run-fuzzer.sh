#!/usr/bin/env bash
# run-fuzzer.sh TARGET CORPUS SECONDS SEEDER KIND REGRESSIONS
# Replays every kept crash input, then fuzzes for SECONDS from a corpus seeded by SEEDER KIND.
# A new crash input is copied into REGRESSIONS (under tests/) so that it is replayed from now on.
set -euo pipefail
target=$1 corpus=$2 seconds=$3 seeder=$4 kind=$5 regressions=$6
mkdir -p "$corpus"
"$seeder" "$kind" "$corpus"
if [ -d "$regressions" ] && [ -n "$(ls -A "$regressions")" ]; then
    "$target" -runs=0 "$regressions"/*
fi
artifacts=$(mktemp -d)
if ! "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$artifacts/" -print_final_stats=1 "$corpus" 2>"$artifacts/log"; then
    tail -n 40 "$artifacts/log"
    mkdir -p "$regressions"
    cp "$artifacts"/crash-* "$artifacts"/timeout-* "$artifacts"/oom-* "$regressions"/ 2>/dev/null || true
    exit 1
fi
grep -E '^stat::number_of_executed_units' "$artifacts/log" || true
rm -rf "$artifacts"
