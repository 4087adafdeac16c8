#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what building and testing the Windows programs needs, only what is missing: the -posix
# mingw-w64 compilers (std::thread), Wine to run them, NSIS for the installers, Debian's GoogleTest
# sources to cross-build the unit tests, Wine's own fonts (Tahoma for the dialogs), and zip.
set -euo pipefail

packages=(
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
    wine wine64 fonts-wine nsis googletest zip
    xvfb xauth openbox tint2 xdotool xclip x11-utils imagemagick python3
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
if [[ $(id -u) -ne 0 ]]; then
    command -v sudo >/dev/null || { echo "Run as root or install sudo to install: ${missing[*]}" >&2; exit 1; }
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
if command -v flock >/dev/null; then
    lock=(flock /tmp/apt.lock)
else
    lock=()
fi
"${lock[@]}" "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" \
    || { "${lock[@]}" "${sudo[@]}" apt-get update -qq \
         && "${lock[@]}" "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"; }
