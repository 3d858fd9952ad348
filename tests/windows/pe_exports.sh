#!/usr/bin/env bash
# pe_exports.sh OBJDUMP LIBRARY NAME...
# The library exports exactly the NAMEs, by their plain names (no decoration such as
# "_Name@8"), and nothing else.
set -euo pipefail
objdump=$1 library=$2; shift 2
exports=$("$objdump" -p "$library" |
          sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/s/^\t\[ *[0-9]*\] //p' | sort)
expected=$(printf '%s\n' "$@" | sort)
if [ "$exports" != "$expected" ]; then
  echo "$library exports:"; echo "$exports"
  echo "expected:"; echo "$expected"
  exit 1
fi
echo "$(basename "$library") exports: $(echo $exports)"
