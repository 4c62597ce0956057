#!/usr/bin/env bash
# Whole batch runs (trelvane-check -q) of two builds on the same generated
# file, in turn (A B A B ...) so that both see the same machine; prints each
# build's median seconds and median peak memory, and the median of the
# pairwise time ratios. Use it to compare a change with the commit before it.
#   bench/run_paired.sh BUILD_A BUILD_B [MB]   (default 100 MB, RUNS=9 pairs)
# Each build needs trelvane-check; gen_ktv is taken from BUILD_A.
set -euo pipefail
export LC_ALL=C
[[ $# -ge 2 ]] || { echo "usage: $0 BUILD_A BUILD_B [MB]" >&2; exit 2; }
a=$1/src/cli/trelvane-check
b=$2/src/cli/trelvane-check
gen=$1/bench/gen_ktv
mb=${3:-100}
runs=${RUNS:-9}
for exe in "$a" "$b" "$gen"; do
    [[ -x $exe ]] || { echo "run_paired: $exe missing" >&2; exit 1; }
done
work=$(mktemp -d /tmp/trelvane-paired-XXXXXX)
trap 'rm -rf "$work"' EXIT
"$gen" --size-mb "$mb" --seed 3 -o "$work/file.edi" >/dev/null
sync
size_kb=$(($(stat -c %s "$work/file.edi") / 1024))

. "$(dirname "${BASH_SOURCE[0]}")/timing.sh"
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

"$a" -q -a 2025 "$work/file.edi" >/dev/null 2>&1 || true  # warm-up
"$b" -q -a 2025 "$work/file.edi" >/dev/null 2>&1 || true
: >"$work/a.txt"
: >"$work/b.txt"
: >"$work/ratio.txt"
for ((i = 0; i < runs; i++)); do
    read -r ta ra < <(measure "$a" -q -a 2025 "$work/file.edi")
    read -r tb rb < <(measure "$b" -q -a 2025 "$work/file.edi")
    echo "$ta $ra" >>"$work/a.txt"
    echo "$tb $rb" >>"$work/b.txt"
    awk -v x="$ta" -v y="$tb" 'BEGIN { printf "%.4f\n", x / y }' >>"$work/ratio.txt"
done
for side in a b; do
    secs=$(cut -d' ' -f1 "$work/$side.txt" | median)
    rss=$(cut -d' ' -f2 "$work/$side.txt" | median)
    awk -v s="$side" -v t="$secs" -v r="$rss" -v f="$size_kb" \
        'BEGIN { printf "%s: %.2f s, peak %d MB (%.2f x the file)\n", toupper(s), t, r / 1024, r / f }'
done
echo "A / B time, median of $runs pairs: $(median <"$work/ratio.txt")"
