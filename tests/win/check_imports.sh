#!/usr/bin/env bash
# The program must be one self-contained executable: it may import system
# DLLs only, never a MinGW runtime DLL.
#   check_imports.sh OBJDUMP tintora.exe
set -euo pipefail
objdump=$1
exe=$2
allowed='^(KERNEL32|USER32|GDI32|COMCTL32|IMM32|OLE32|OLEACC|OLEAUT32|msvcrt|ADVAPI32)\.dll$'
imports=$("$objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p')
[ -n "$imports" ] || { echo "no imports found in $exe"; exit 1; }
bad=$(printf '%s\n' "$imports" | grep -v -i -E "$allowed" || true)
if [ -n "$bad" ]; then
    echo "unexpected DLL imports:"; printf '  %s\n' $bad; exit 1
fi
echo "imports: $(echo $imports)"
