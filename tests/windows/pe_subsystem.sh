#!/usr/bin/env bash
# pe_subsystem.sh OBJDUMP SUBSYSTEM FILE...
# Every FILE is a program of the SUBSYSTEM, "gui" (a window program: no console opens
# with it) or "console" (a command-line program, its output on the console it runs in).
set -euo pipefail
objdump=$1 subsystem=$2; shift 2
case $subsystem in
  gui) expected="(Windows GUI)" ;;
  console) expected="(Windows CUI)" ;;
  *) echo "unknown subsystem $subsystem"; exit 2 ;;
esac
status=0
for file in "$@"; do
  actual=$("$objdump" -p "$file" | sed -n 's/^Subsystem[[:space:]]*[0-9a-f]*[[:space:]]*//p')
  [ "$actual" = "$expected" ] || { echo "$file: subsystem $actual, not $expected"; status=1; }
done
exit $status
