#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the Wine prefix the Windows tests start from, once: a template that each test copies.
# Usage: makeprefix.sh <prefix folder>
set -euo pipefail
prefix=$1
command -v wine >/dev/null || { echo "wine is missing: run scripts/install-windows-deps.sh" >&2; exit 1; }
if [[ ! -f $prefix/system.reg ]]; then
    export WINEPREFIX=$prefix.new WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d"
    rm -rf "$WINEPREFIX"
    wineboot -i
    # Wine's own dialog faces (Tahoma), which Wine does not load from the package's folder.
    cp $(dpkg -L fonts-wine | grep 'ttf$') "$WINEPREFIX/drive_c/windows/Fonts/"
    wineserver -w
    mv "$WINEPREFIX" "$prefix"
fi
# Charis SIL in the Fonts folder, whatever the host's font configuration offers Wine: Wine's text
# shaper faults on its marks in an edit control, and the tests must meet a machine that has it.
charis=/usr/share/fonts/truetype/charis/CharisSIL-Regular.ttf
[[ -f $charis ]] || { echo "Charis SIL is missing: run scripts/install-windows-deps.sh" >&2; exit 1; }
ln -sf "$charis" "$prefix/drive_c/windows/Fonts/CharisSIL-Regular.ttf"
