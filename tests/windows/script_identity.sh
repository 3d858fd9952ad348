#!/usr/bin/env bash
# script_identity.sh LINUX_DRIVER WINE_RUN PREFIX WINDOWS_DRIVER WORK SEED SCRIPT...
# Every SCRIPT, and a script of 10,000 random clicks made from SEED, gives the same bytes
# on standard output and error and the same exit status from the Windows driver under
# Wine as from the Linux driver.
set -uo pipefail
linux=$1 wine_run=$2 prefix=$3 windows=$4 work=$5 seed=$6; shift 6
mkdir -p "$work"
random="$work/random_clicks.script"
python3 "$(dirname "$0")/random_clicks.py" "$seed" 10000 "$random" "$@" || exit 1
status=0
for script in "$@" "$random"; do
  name=$(basename "$script" .script)
  "$linux" "$script" >"$work/$name.linux.out" 2>"$work/$name.linux.err"
  echo "status $?" >>"$work/$name.linux.err"
  "$wine_run" "$prefix" "$windows" "$script" >"$work/$name.windows.out" 2>"$work/$name.windows.err"
  echo "status $?" >>"$work/$name.windows.err"
  for stream in out err; do
    if ! cmp -s "$work/$name.linux.$stream" "$work/$name.windows.$stream"; then
      echo "$name: standard $stream differs"
      diff "$work/$name.linux.$stream" "$work/$name.windows.$stream" | head -20
      status=1
    fi
  done
  echo "$name: $(wc -l <"$script") lines, $(wc -c <"$work/$name.linux.out") bytes of output, $(tail -1 "$work/$name.linux.err")"
done
exit $status
