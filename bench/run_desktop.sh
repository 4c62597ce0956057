#!/usr/bin/env bash
# The desktop program beside the batch front end on generated files of 5 and
# 50 MB, valid and faulty (5 % of segments broken): the Test button to the
# results window shown (bench_test_button, offscreen) against the whole run of
# `trelvane-check --html` on the same file, in turn, RUNS times (default 5).
# Prints the medians, their ratio and the target (the desktop at most 1.5
# times the batch front end plus half a second). Then "Segments distincts" in
# the viewer on the 50 MB valid file: time and peak memory against the file.
#   bench/run_desktop.sh [BUILD_DIR]   (default: build)
set -euo pipefail
export LC_ALL=C  # bash's clock prints its decimal point as the locale says
export QT_QPA_PLATFORM=offscreen
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${RUNS:-5}
gen=$build/bench/gen_ktv
check=$build/src/cli/trelvane-check
desk=$build/bench/bench_test_button
for exe in "$gen" "$check" "$desk"; do
    [[ -x $exe ]] || { echo "run_desktop: $exe missing (cmake --build $build)" >&2; exit 1; }
done
work=$(mktemp -d /tmp/trelvane-desktop-XXXXXX)
trap 'rm -rf "$work"' EXIT

"$gen" --size-mb 5 --seed 1 -o "$work/valid-5.edi"
"$gen" --size-mb 5 --seed 4 --fault-rate 0.05 -o "$work/faulty-5.edi"
"$gen" --size-mb 50 --seed 2 -o "$work/valid-50.edi"
"$gen" --size-mb 50 --seed 5 --fault-rate 0.05 -o "$work/faulty-50.edi"
sync

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Seconds of the whole batch run, from bash's own clock.
batch() {
    local t0 t1
    t0=$EPOCHREALTIME
    "$check" --html "$work/page.html" "$1" >/dev/null 2>&1 || true
    t1=$EPOCHREALTIME
    awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.3f\n", b - a }'
}

# The seconds bench_test_button prints ("...: 1.23 s, peak memory 45 MB").
desktop() {
    "$desk" "$@" 2>/dev/null | sed -n 's/.*: \([0-9.]*\) s, peak memory \([0-9]*\) MB/\1 \2/p'
}

printf '%-12s %9s %10s %8s %9s %8s\n' file batch_s desktop_s ratio target_s records
for f in valid-5 faulty-5 valid-50 faulty-50; do
    path=$work/$f.edi
    : >"$work/batch.txt"
    : >"$work/desk.txt"
    for ((i = 0; i < runs; i++)); do
        batch "$path" >>"$work/batch.txt"
        desktop "$path" | cut -d' ' -f1 >>"$work/desk.txt"
    done
    records=$({ "$check" -q "$path" 2>/dev/null || true; } |
        awk -F', ' '{ s = $2 + 0; c = $3 + 0; print s + c }')
    awk -v f="$f" -v b="$(median <"$work/batch.txt")" -v d="$(median <"$work/desk.txt")" \
        -v r="$records" 'BEGIN {
        printf "%-12s %9.2f %10.2f %8.2f %9.2f %8d\n", f, b, d, d / b, 1.5 * b + 0.5, r }'
done

mb=$(awk -v b="$(stat -c %s "$work/valid-50.edi")" 'BEGIN { printf "%.1f", b / 1048576 }')
: >"$work/viewer.txt"
for ((i = 0; i < runs; i++)); do desktop --viewer "$work/valid-50.edi" >>"$work/viewer.txt"; done
awk -v mb="$mb" -v s="$(cut -d' ' -f1 "$work/viewer.txt" | median)" \
    -v m="$(cut -d' ' -f2 "$work/viewer.txt" | median)" 'BEGIN {
    printf "viewer, one segment per line, %.1f MB file: %.2f s, peak memory %d MB (%.2f x the file)\n",
        mb, s, m, m / mb }'
echo "medians of $runs runs; records: syntax and content errors of the file"
