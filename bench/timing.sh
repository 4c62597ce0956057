# Sourced by the benchmark scripts. measure prints the seconds (wall clock,
# from bash's own clock: no extra process is timed) and the peak KB of one
# command, the resident size from /usr/bin/time -v; it writes its scratch
# file into $work.
measure() {
    local t0 t1 rss
    t0=$EPOCHREALTIME
    /usr/bin/time -v "$@" >/dev/null 2>"$work/time.txt" || true
    t1=$EPOCHREALTIME
    rss=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$work/time.txt")
    awk -v a="$t0" -v b="$t1" -v r="$rss" 'BEGIN { printf "%.3f %s\n", b - a, r }'
}
