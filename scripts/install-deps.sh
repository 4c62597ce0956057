#!/usr/bin/env bash
# Installs what building and testing need on a Debian machine (as root, or
# through sudo). Does nothing when everything is already there.
set -euo pipefail
# qt6-translations-l10n: Qt's own texts in French; poppler-utils: the window
# tests read back the PDF files they print; clang-format-14 and clang-tidy-14:
# the layout check and the lint of the sources.
packages=(build-essential cmake g++ clang libclang-rt-14-dev googletest libgtest-dev
          libbenchmark-dev qt6-base-dev qt6-qpa-plugins qt6-translations-l10n xvfb xauth
          fonts-dejavu-core poppler-utils g++-mingw-w64-x86-64-posix wine wine64 unzip
          clang-format-14 clang-tidy-14)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    sudo_cmd=()
    [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
fi
