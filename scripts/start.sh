#!/usr/bin/env bash
# Installs, builds and starts the program: the desktop program when a display
# is there, otherwise the batch front end on a bundled sample.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target trelvane trelvane-check
if [[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]]; then
    exec ./build/src/ui/trelvane
fi
echo "Pas d'écran disponible : trelvane-check teste samples/valide.edi à la place du programme de bureau."
exec ./build/src/cli/trelvane-check samples/valide.edi
