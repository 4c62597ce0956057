#!/usr/bin/env bash
# Time and memory of the batch check on generated files of 1, 10 and 100 MB,
# and on 100 MB with 5 % faulty segments, against `wc -l` on the same file.
# Each command runs RUNS times (default 9), the check and `wc -l` in turn so
# that both see the same machine; the medians are printed.
#   bench/run_scaling.sh [BUILD_DIR]   (default: build)
set -euo pipefail
export LC_ALL=C  # bash's clock prints its decimal point as the locale says
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${RUNS:-9}
gen=$build/bench/gen_ktv
check=$build/src/cli/trelvane-check
for exe in "$gen" "$check"; do
    [[ -x $exe ]] || { echo "run_scaling: $exe missing (cmake --build $build --target gen_ktv trelvane-check)" >&2; exit 1; }
done
work=$(mktemp -d /tmp/trelvane-scaling-XXXXXX)
trap 'rm -rf "$work"' EXIT

"$gen" --size-mb 1 --seed 1 -o "$work/valid-1.edi"
"$gen" --size-mb 10 --seed 2 -o "$work/valid-10.edi"
"$gen" --size-mb 100 --seed 3 -o "$work/valid-100.edi"
"$gen" --size-mb 100 --seed 3 --fault-rate 0.05 -o "$work/faulty-100.edi"
# The files are on disk before anything is timed: writing them back while
# the checks run would be timed too.
sync

. bench/timing.sh  # the working directory is the root from here on

# Seconds of one command run directly, for the short `wc -l`.
seconds() {
    local t0 t1
    t0=$EPOCHREALTIME
    "$@" >/dev/null 2>&1 || true
    t1=$EPOCHREALTIME
    awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.4f\n", b - a }'
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Median seconds and peak KB of the check, then median seconds of wc -l.
measure_pair() {
    local path=$1 i secs rss
    : >"$work/check.txt"
    : >"$work/wc.txt"
    "$check" -q -a 2025 "$path" >/dev/null 2>&1 || true  # warm-up, not timed
    for ((i = 0; i < runs; i++)); do
        read -r secs rss < <(measure "$check" -q -a 2025 "$path")
        echo "$secs $rss" >>"$work/check.txt"
        seconds wc -l "$path" >>"$work/wc.txt"
    done
    echo "$(cut -d' ' -f1 "$work/check.txt" | median) $(cut -d' ' -f2 "$work/check.txt" | median) $(median <"$work/wc.txt")"
}

printf '%-16s %8s %9s %9s %10s %10s %8s %9s\n' file MB check_s s_per_MB peak_MB mem_x_file wc_s x_wc
valid100=""
for f in valid-1 valid-10 valid-100 faulty-100; do
    path=$work/$f.edi
    mb=$(awk -v b="$(stat -c %s "$path")" 'BEGIN { printf "%.1f", b / 1048576 }')
    read -r secs rss wsecs < <(measure_pair "$path")
    awk -v f="$f" -v mb="$mb" -v s="$secs" -v rss="$rss" -v w="$wsecs" 'BEGIN {
        pm = rss / 1024; wc = (w > 0 ? w : 0.01)
        printf "%-16s %8.1f %9.3f %9.4f %10.0f %10.2f %8.3f %9.1f\n", f, mb, s, s / mb, pm, pm / mb, w, s / wc }'
    [[ $f == valid-100 ]] && valid100=$secs
    if [[ $f == faulty-100 ]]; then
        awk -v a="$secs" -v b="$valid100" 'BEGIN { printf "faulty / valid time at 100 MB: %.2f (target at most 2)\n", (b > 0 ? a / b : 0) }'
    fi
done
echo "medians of $runs runs; targets: 100 MB valid in about 1 s, at most 40x wc -l, peak memory at most 3x the file"
