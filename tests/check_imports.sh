#!/usr/bin/env bash
# The executable must run on a bare Windows: its import table may name system DLLs only.
set -euo pipefail
exe=$1
allowed='^(KERNEL32|USER32|GDI32|gdiplus|ole32|OLEAUT32|msvcrt|SHELL32|ADVAPI32|COMCTL32|uuid)\.dll$'
names=$(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p')
[ -n "$names" ] || { echo "no import table found in $exe"; exit 1; }
bad=$(echo "$names" | grep -viE "$allowed" || true)
echo "imports: $(echo $names)"
if [ -n "$bad" ]; then
    echo "not a system DLL: $bad"
    exit 1
fi
