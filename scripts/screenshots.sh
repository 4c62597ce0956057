#!/bin/sh
# Screenshots of the home window, of the results window after testing a
# sample with errors, of the viewer, and of the dossier list and an error
# clicked after testing a generated file of twelve dossiers, rendered under
# Xvfb into docs/.
# Usage: scripts/screenshots.sh [build directory]   (default: build)
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build"}
out="$root/docs"

if [ ! -x "$build/src/ui/trelvane-screenshots" ] || [ ! -x "$build/bench/gen_ktv" ]; then
    cmake -S "$root" -B "$build" >/dev/null
    cmake --build "$build" --target trelvane-screenshots gen_ktv -j2
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM

# The valid sample with two faults: a date in a thirteenth month and an
# unknown segment between two details.
sed -e 's/^DTM+137:\([0-9]\{4\}\)1215:102/DTM+137:\11399:102/' \
    -e "s/^SEQ++2'/XYZ+1'\r\nSEQ++2'/" \
    "$root/samples/valide.edi" >"$work/exemple-erreurs.edi"

# Twelve dossiers, four of them with a fault: an impossible date, an amount
# of zero, a NIR given twice, a detail group out of sequence.
"$build/bench/gen_ktv" --dossiers 12 --seed 3 --year 2025 \
    --fault bad-date,zero-amount,dup-nir,seq-number -o "$work/douze-dossiers.edi"

mkdir -p "$out"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x900x24" \
    "$build/src/ui/trelvane-screenshots" "$work/exemple-erreurs.edi" \
    "$work/douze-dossiers.edi" "$out"
