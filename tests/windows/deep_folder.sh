#!/usr/bin/env bash
# deep_folder.sh WINE_RUN PREFIX WINDOWS_DRIVER WORK
# The Windows driver started under Wine from a folder whose path is longer than the classic
# 260 characters: the library goes into that very folder, whole, and nothing is written
# anywhere else (not at the root of the drive, not in the folder it was started from).
set -uo pipefail
wine_run=$1 prefix=$2 driver=$3 work=$4
top=$work/deep
rm -rf "$top"
folder=$top
for level in 1 2 3; do folder=$folder/$(printf 'folder%.0s' {1..16})$level; done
mkdir -p "$folder" "$top/started-here"
cp "$driver" "$folder/capcalc-script.exe"
echo 'get 组合框_接线方式' >"$top/deep.script"
trap 'rm -rf "$top"' EXIT

before=$(ls -a / | grep -ci skinengine)
output=$(cd "$top/started-here" && "$wine_run" "$prefix" "$folder/capcalc-script.exe" "$top/deep.script" 2>&1)
status=$?
echo "program path: ${#folder} characters and the name; status $status; output:"
echo "$output"
[ "${#folder}" -gt 260 ] || { echo "FAILED: the folder is not deep enough"; exit 1; }
[ "$status" -eq 0 ] || { echo "FAILED: status $status"; exit 1; }
[ "$(tr -d '\r' <<<"$output")" = '组合框_接线方式=星形接线' ] || { echo "FAILED: output"; exit 1; }
cmp -s "$folder/SkinEngine.dll" "$(dirname "$driver")/SkinEngine.dll" ||
  { echo "FAILED: no whole library beside the program"; exit 1; }
[ -z "$(ls -A "$top/started-here")" ] || { echo "FAILED: written where it was started"; exit 1; }
[ "$(ls -a / | grep -ci skinengine)" -eq "$before" ] || { echo "FAILED: written at the root"; exit 1; }
[ "$(ls -A "$folder" | LC_ALL=C sort | tr '\n' ' ')" = "SkinEngine.dll capcalc-script.exe " ] ||
  { echo "FAILED: leftovers in the program's folder"; exit 1; }
echo "the library is in the deep folder and nowhere else"
