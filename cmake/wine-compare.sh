#!/bin/sh
# The Windows trelvane-check under Wine against the Linux one built from the
# same sources: the same JSON and exit status on every sample, on generated
# valid and faulty files and on every file of the EDIFACT corpus; the same
# FNS3 bytes; accented names and names outside Windows-1252; and a kill
# during a write leaves the old file or the new one, never a part.
#   wine-compare.sh LINUX_BUILD_DIR WINDOWS_EXE SOURCE_DIR
set -u
linux=$1/src/cli/trelvane-check gen=$1/bench/gen_ktv exe=$2 src=$3
wine="$(dirname "$0")/wine-run.sh $exe"
[ -x "$linux" ] && [ -x "$gen" ] || { echo "no Linux build in $1: build the dev preset first"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

same_json() {  # FILE [OPTIONS...]
    f=$1; shift
    $linux --json "$@" "$f" >"$work/l.json" 2>/dev/null; l=$?
    $wine --json "$@" "$f" >"$work/w.json" 2>/dev/null; w=$?
    [ $l = $w ] && cmp -s "$work/l.json" "$work/w.json" || fail "$f: Linux $l, Windows $w"
}
mkdir "$work/gen" "$work/répertoire é"
$gen -o "$work/gen/valide.edi" --dossiers 40 --seed 1 --year 2025
$gen -o "$work/gen/valide-lf.edi" --dossiers 40 --seed 2 --year 2025 --no-crlf
$gen -o "$work/gen/syntaxe.edi" --dossiers 40 --seed 3 --year 2025 --fault-rate 0.02
$gen -o "$work/gen/contenu.edi" --dossiers 40 --seed 4 --year 2025 \
    --fault bad-date,zero-amount,dup-nir,fac-balance,facis-code,main-exclusive
cp "$src/samples/signalements.edi" "$work/répertoire é/déclaration ü.edi"
cp "$src/samples/rejets.edi" "$work/répertoire é/Ωμέγα 申告.edi"
count=0
for f in "$src"/samples/*.edi "$work"/gen/*.edi "$work/répertoire é"/*.edi \
         "$src"/../shared/edifact-corpus/*; do
    case $f in *.md) continue ;; esac
    same_json "$f" -a 2025
    count=$((count + 1))
done
echo "$count files: the same JSON and exit status"

# Conversions: the same FNS3 and CR bytes, into an accented directory.
for f in "$work/répertoire é/déclaration ü.edi" "$work/gen/valide.edi" "$src/samples/rejets.edi"; do
    rm -rf "$work/l" "$work/w é"
    $linux -q -a 2025 --convertir="$work/l" "$f" >/dev/null 2>&1
    $wine -q -a 2025 --convertir="$work/w é" "$f" >/dev/null 2>&1
    for kind in FNS3 CR_Erreurs; do
        [ ! -d "$work/l/$kind" ] || cmp -s "$work/l/$kind"/* "$work/w é/$kind"/* ||
            fail "$kind file of $f"
    done
done

# Parallel conversions in the same second keep every FNS3 file.
for i in 1 2 3 4 5; do
    $wine -q -a 2025 --convertir="$work/lot" "$work/répertoire é/déclaration ü.edi" >/dev/null 2>&1 &
done
wait
[ "$(ls "$work/lot/FNS3" | wc -l)" = 5 ] || fail "parallel conversions: $(ls "$work/lot/FNS3")"

# Killed while writing: the page is the old one or the new one, and an FNS3
# or CR file is whole or absent.
$gen -o "$work/gen/gros.edi" --size-mb 40 --seed 5 --year 2025
$gen -o "$work/gen/gros-fautes.edi" --size-mb 8 --seed 6 --year 2025 --fault-rate 0.05
$linux --html "$work/new.html" -a 2025 "$work/gen/gros-fautes.edi" >/dev/null 2>&1
$linux -q -a 2025 --convertir="$work/ref" "$work/gen/gros-fautes.edi" >/dev/null 2>&1
killed() {  # DIRECTORY: kills the last program started once a temporary file is there
    while kill -0 $! 2>/dev/null && ! ls "$1" 2>/dev/null | grep -q part; do sleep 0.01; done
    kill -9 $! 2>/dev/null
    wait $! 2>/dev/null
}
for run in "$linux" "$wine"; do
    out="$work/kill"; rm -rf "$out"; mkdir -p "$out"; echo ancienne >"$out/page.html"
    $run -a 2025 --html "$out/page.html" "$work/gen/gros-fautes.edi" >/dev/null 2>&1 &
    killed "$out"
    [ "$(cat "$out/page.html")" = ancienne ] || cmp -s "$out/page.html" "$work/new.html" ||
        fail "page cut by a kill ($run)"
    $run -q -a 2025 --convertir="$out" "$work/gen/gros.edi" >/dev/null 2>&1 &
    killed "$out/FNS3"
    $run -q -a 2025 --convertir="$out" "$work/gen/gros-fautes.edi" >/dev/null 2>&1 &
    killed "$out/CR_Erreurs"
    for f in "$out"/FNS3/*.oth "$out"/CR_Erreurs/*.txt; do
        [ ! -f "$f" ] || [ $(($(wc -c <"$f") % 257)) = 0 ] || cmp -s "$f" "$work"/ref/CR*/* ||
            fail "$f cut by a kill ($run)"
    done
done
[ $failures = 0 ] && echo "Windows and Linux agree" || exit 1
