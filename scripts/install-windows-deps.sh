#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what building and testing the Windows programs needs, only what is missing: the -posix
# mingw-w64 compilers (std::thread), Wine to run them, NSIS for the installers, Debian's GoogleTest
# sources to cross-build the unit tests, Wine's own fonts (Tahoma for the dialogs), zip, and Charis SIL
# (the legacy font is made from it, and the tests' Wine has it as a Windows machine may).
set -euo pipefail

packages=(
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
    wine wine64 fonts-wine nsis googletest zip fonts-sil-charis
    xvfb xauth openbox tint2 xdotool xclip x11-utils imagemagick python3
)

exec "$(dirname "$0")/install-deps.sh" "${packages[@]}"
