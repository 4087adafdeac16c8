#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the Wine prefix the Windows tests start from, once: a template that each test copies.
# Usage: makeprefix.sh <prefix folder>
set -euo pipefail
prefix=$1
[[ -f $prefix/system.reg ]] && exit 0
command -v wine >/dev/null || { echo "wine is missing: run scripts/install-windows-deps.sh" >&2; exit 1; }
export WINEPREFIX=$prefix.new WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d"
rm -rf "$WINEPREFIX"
wineboot -i
# Wine's own dialog faces (Tahoma), which Wine does not load from the package's folder.
cp $(dpkg -L fonts-wine | grep 'ttf$') "$WINEPREFIX/drive_c/windows/Fonts/"
wineserver -w
mv "$WINEPREFIX" "$prefix"
