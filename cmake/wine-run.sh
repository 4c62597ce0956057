#!/bin/sh
# Runs a Windows program under Wine, headless and quiet: no display, no
# debug output, no offer to install Mono or Gecko. The prefix lives in the
# build tree (WINEPREFIX overrides it) and is made at the first run.
#   wine-run.sh PROGRAM.exe [ARGUMENTS...]
set -eu
if [ -z "${WINEPREFIX:-}" ]; then
    dir=$(cd "$(dirname "$1")" && pwd)
    while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
    WINEPREFIX="$dir/wineprefix"
fi
export WINEPREFIX
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY=
if [ ! -f "$WINEPREFIX/.trelvane-ready" ]; then
    mkdir -p "$WINEPREFIX"
    # Two first runs at once would both make the prefix: one waits. Without
    # a debugger to start, a crash in any thread ends the program with a
    # failure status, as on Windows (else the other threads may end it
    # with 0).
    flock "$WINEPREFIX" sh -c '[ -f "$WINEPREFIX/.trelvane-ready" ] && exit
        wineboot -i && wine reg add "HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug" \
            /v Debugger /d "" /f && touch "$WINEPREFIX/.trelvane-ready"' >/dev/null 2>&1
fi
exec wine "$@"
