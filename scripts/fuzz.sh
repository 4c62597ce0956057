#!/usr/bin/env bash
# Builds the libFuzzer harness in build-fuzz and runs it for SECONDS (default
# 60) over a copy of fuzz/corpus and the samples. Crash inputs land in
# build-fuzz/artifacts; keep them in tests/data/fuzz-regressions once fixed.
#   scripts/fuzz.sh [SECONDS] [extra libFuzzer options...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true

# clang 14 crashes while printing long constant-evaluation backtraces through
# the _cp literals; one frame is enough.
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTRELVANE_FUZZ=ON -DTRELVANE_BUILD_GUI=OFF -DTRELVANE_BUILD_TESTS=OFF \
    -DTRELVANE_BUILD_BENCH=OFF -DTRELVANE_SANITIZE=ON \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link -fconstexpr-backtrace-limit=1" >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target trelvane_fuzz

mkdir -p build-fuzz/corpus build-fuzz/artifacts
# New inputs go to the first directory, so the repository's corpus stays small.
ASAN_OPTIONS=detect_leaks=0:allocator_may_return_null=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    build-fuzz/fuzz/trelvane_fuzz -max_total_time="$seconds" -max_len=16384 -timeout=20 \
    -rss_limit_mb=3072 -dict=fuzz/ktv.dict -artifact_prefix=build-fuzz/artifacts/ \
    -print_final_stats=1 "$@" build-fuzz/corpus fuzz/corpus samples
