#!/usr/bin/env bash
# bench/lookup-vs-wn.sh LEXANO_DATA DATA_FILE [WORDS]
# A whole process answering one word: `lexano-data lookup DATA_FILE WORD` against WordNet's own
# `wn WORD -over`, measured with `hyperfine -N` word by word over WORDS words (default 300) of
# WordNet's index files, one-sense words and the heaviest alike. The two commands alternate:
# which one runs first changes from word to word. Prints each word's ratio of medians (lookup
# over wn) to standard error and the median ratio, with the median times, to standard output.
# Needs hyperfine, jq and wn (Debian: hyperfine, jq, wordnet).
set -euo pipefail
tool=$1 data=$2 count=${3:-300}
wordnet=/usr/share/wordnet
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The heaviest words, then every nth single-word lemma of the noun, verb and adjective indexes.
heavy="break cut run play make set take go give hold head line turn pass"
{
    for w in $heavy; do echo "$w"; done
    for pos in noun verb adj; do
        grep -v '^ ' "$wordnet/index.$pos" | cut -d' ' -f1 | grep -E '^[a-z]+$'
    done | awk -v n="$count" '{ words[NR] = $0 }
        END { step = int(NR / n); if (step < 1) step = 1
              for (i = step; i <= NR; i += step) print words[i] }'
} | head -n "$count" > "$work/words"

i=0
while read -r word; do
    i=$((i + 1))
    lookup="$tool lookup $data $word"
    over="wn $word -over"
    if [ $((i % 2)) -eq 0 ]; then first=$lookup second=$over; else first=$over second=$lookup; fi
    hyperfine -N -i --warmup 2 --runs 10 --style none --export-json "$work/run.json" \
        "$first" "$second" >/dev/null 2>&1
    lookup_median=$(jq --arg c "$lookup" '.results[] | select(.command == $c) | .median' "$work/run.json")
    wn_median=$(jq --arg c "$over" '.results[] | select(.command == $c) | .median' "$work/run.json")
    echo "$word $lookup_median $wn_median" >> "$work/medians"
    awk -v w="$word" -v a="$lookup_median" -v b="$wn_median" \
        'BEGIN { printf "%-20s %.3f ms %.3f ms ratio %.3f\n", w, a * 1000, b * 1000, a / b }' >&2
done < "$work/words"

sort -k1,1 "$work/medians" | awk '{ r[NR] = $2 / $3; a[NR] = $2; b[NR] = $3 }
    function median(x, n,    i, j, t) {
        for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (x[j] < x[i]) { t = x[i]; x[i] = x[j]; x[j] = t }
        return n % 2 ? x[(n + 1) / 2] : (x[n / 2] + x[n / 2 + 1]) / 2 }
    END { n = NR
          printf "words: %d\n", n
          printf "median lookup: %.3f ms\n", median(a, n) * 1000
          printf "median wn -over: %.3f ms\n", median(b, n) * 1000
          printf "median ratio lookup / wn: %.3f\n", median(r, n) }'
