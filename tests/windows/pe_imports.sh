#!/usr/bin/env bash
# pe_imports.sh OBJDUMP FILE...
# Every Windows program and library FILE imports only system libraries that every
# Windows has: the compiler's own libraries (libstdc++, libgcc, winpthread) are linked in.
set -euo pipefail
objdump=$1; shift
system="kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll ole32.dll oleaut32.dll
comctl32.dll comdlg32.dll ws2_32.dll msvcrt.dll imm32.dll winspool.drv"
status=0
for file in "$@"; do
  imports=$("$objdump" -p "$file" | sed -n 's/^\tDLL Name: //p' | tr '[:upper:]' '[:lower:]')
  [ -n "$imports" ] || { echo "$file: no import table found"; status=1; }
  for dll in $imports; do
    grep -qw -- "$dll" <<<"$system" || { echo "$file imports $dll"; status=1; }
  done
  echo "$(basename "$file"): $(echo $imports)"
done
exit $status
