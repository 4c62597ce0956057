#!/usr/bin/env bash
# Runs clang-tidy 14 with the repository's .clang-tidy over every source file
# of src/, using the compile commands of a configured build (default: build,
# the dev preset). Fails on any finding. Takes a few minutes on two cores.
#   scripts/check-tidy.sh [build directory]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
if [[ ! -f $build/compile_commands.json ]]; then
    echo "check-tidy: no $build/compile_commands.json: configure first (cmake --preset dev)" >&2
    exit 2
fi
# The build's GCC-only warning options mean nothing to clang.
run-clang-tidy-14 -p "$build" -j "$(nproc)" -quiet \
    -extra-arg=-Wno-unknown-warning-option "$PWD/src/.*\.cpp"
