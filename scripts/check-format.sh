#!/usr/bin/env bash
# Fails, showing the differences, when a C++ file of the repository is not as
# clang-format 14 lays it out with the repository's .clang-format. Another
# version of clang-format lays some constructs out differently, so only 14
# is trusted. Fix a failure with:
#   clang-format-14 -i FILE...
set -euo pipefail
cd "$(dirname "$0")/.."

format=${CLANG_FORMAT:-clang-format-14}
if ! command -v "$format" >/dev/null; then
    echo "check-format: $format is missing (Debian package clang-format-14)" >&2
    exit 2
fi
if ! "$format" --version | grep -q 'version 14\.'; then
    echo "check-format: $format is not clang-format 14: $("$format" --version)" >&2
    exit 2
fi

# The files under version control; a copy without git checks the source folders.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -d '' files < <(git ls-files -z -- '*.cpp' '*.h')
else
    mapfile -d '' files < <(find src tests bench fuzz -name '*.cpp' -print0 -o -name '*.h' -print0)
fi

status=0
for f in "${files[@]}"; do
    [[ -f $f ]] || continue  # deleted but not yet committed
    if ! diff -u --label "$f" --label "$f (clang-format)" "$f" <("$format" --style=file "$f"); then
        status=1
    fi
done
if ((status)); then
    echo "check-format: the files above differ from clang-format's layout" >&2
else
    echo "check-format: ${#files[@]} files laid out as clang-format does"
fi
exit "$status"
