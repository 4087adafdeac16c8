#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a program imports a DLL that is not Windows' own: everything else is linked in.
# Usage: checkimports.sh <objdump> <exe>...
set -euo pipefail
objdump=$1
shift
system='^(ADVAPI32|COMCTL32|GDI32|KERNEL32|msvcrt|SHELL32|USER32|ole32|OLEAUT32|UxTheme)\.dll$'
status=0
for exe in "$@"; do
    while read -r dll; do
        if ! grep -qiE "$system" <<<"$dll"; then
            echo "$exe imports $dll, which Windows does not ship" >&2
            status=1
        fi
    done < <("$objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p')
done
exit $status
