#!/usr/bin/env bash
# Installs, builds with warnings as errors, and runs every test twice: in the
# optimised build and under AddressSanitizer + UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRELVANE_WERROR=ON >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure --no-tests=error -j"$jobs"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTRELVANE_WERROR=ON -DTRELVANE_SANITIZE=ON \
      -DTRELVANE_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure --no-tests=error -j"$jobs"

if [[ -x scripts/fuzz.sh ]]; then
    ./scripts/fuzz.sh "${FUZZ_SECONDS:-90}"
fi
