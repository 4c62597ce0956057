#!/usr/bin/env bash
# Installs, checks the layout of the sources, builds with warnings as errors
# and runs every test: the optimised Linux build, the same under
# AddressSanitizer + UndefinedBehaviorSanitizer, the Windows cross build
# under Wine (after the Linux build it is compared with), then the fuzzer for
# a while.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/check-format.sh

for preset in dev asan windows; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
cpack --preset windows >/dev/null
unzip -l build-windows/package/trelvane-check-*-win64.zip
# Wine's server outlives the last program by a few seconds: not in CI.
WINEPREFIX="$PWD/build-windows/wineprefix" wineserver -k 2>/dev/null || true

if [[ -x scripts/fuzz.sh ]]; then
    ./scripts/fuzz.sh "${FUZZ_SECONDS:-90}"
fi
