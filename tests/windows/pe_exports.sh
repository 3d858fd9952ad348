#!/usr/bin/env bash
# pe_exports.sh OBJDUMP FILE NAME...
# The library or program FILE exports exactly the NAMEs, by their plain names (no
# decoration such as "_Name@8"), and nothing else.
set -euo pipefail
objdump=$1 file=$2; shift 2
exports=$("$objdump" -p "$file" |
          sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/s/^\t\[ *[0-9]*\] //p' | sort)
expected=$(printf '%s\n' "$@" | sort)
if [ "$exports" != "$expected" ]; then
  echo "$file exports:"; echo "$exports"
  echo "expected:"; echo "$expected"
  exit 1
fi
echo "$(basename "$file") exports: $(echo $exports)"
