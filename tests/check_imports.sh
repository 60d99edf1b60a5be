#!/usr/bin/env bash
# The executable's import table may name only DLLs that Windows always maps from the
# system folder (known DLLs): any other DLL it imported would be looked for beside the
# executable first, before WinMain could restrict the search, and a file planted in a
# Downloads folder would run inside the launcher. Its header must keep address space
# layout randomisation and no-execute data on.
set -euo pipefail
exe=$1
allowed='^(KERNEL32|USER32|GDI32|ole32|OLEAUT32|msvcrt)\.dll$'
header=$(i686-w64-mingw32-objdump -p "$exe")
names=$(echo "$header" | sed -n 's/^\s*DLL Name: //p')
[ -n "$names" ] || { echo "no import table found in $exe"; exit 1; }
echo "imports: $(echo $names)"
bad=$(echo "$names" | grep -viE "$allowed" || true)
if [ -n "$bad" ]; then
    echo "not a known DLL of the system: $bad"
    exit 1
fi
# objdump names each flag of DllCharacteristics on a line of its own below it.
flags=$(echo "$header" | sed -n '/^DllCharacteristics/,/^[A-Z]/p' | sed -n 's/^\s\+\([A-Z_]\+\)$/\1/p')
echo "DllCharacteristics: $(echo $flags)"
for flag in DYNAMIC_BASE NX_COMPAT; do
    echo "$flags" | grep -qx "$flag" || { echo "$flag is not set"; exit 1; }
done
