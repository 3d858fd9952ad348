#!/usr/bin/env bash
# read_only_folder.sh WINE_RUN PREFIX WINDOWS_DRIVER WORK
# The Windows driver started under Wine from a folder it cannot write: it ends with -1
# (255), and its report names the export it could not bind and, on the next line, the
# library it could not write beside itself and the system's reason. Exits 77 (skipped)
# where no such folder can be made.
set -uo pipefail
wine_run=$1 prefix=$2 driver=$3 work=$4
folder=$work/read-only
release() { chattr -i "$folder" 2>/dev/null; chmod 755 "$folder" 2>/dev/null; rm -rf "$folder"; }
release
mkdir -p "$folder"
cp "$driver" "$folder/capcalc-script.exe"
echo 'get 组合框_接线方式' >"$work/read-only.script"
trap release EXIT
# Permissions do not keep root out; an immutable folder does.
if [ "$(id -u)" -eq 0 ]; then
  chattr +i "$folder" 2>/dev/null || { echo "SKIPPED: the file system cannot make $folder immutable"; exit 77; }
else
  chmod 555 "$folder"
fi

"$wine_run" "$prefix" "$folder/capcalc-script.exe" "$work/read-only.script" >"$work/read-only.out" 2>"$work/read-only.err"
status=$?
report=$(tr -d '\r' <"$work/read-only.err")
unbound='错误信息：无法找到指定DLL库文件“SkinEngine.dll”中的输出命令“SkinEngine_SetAero”'
not_written='无法在程序所在文件夹写入“SkinEngine.dll”：'
reason=$(grep -A1 -xF "$unbound" <<<"$report" | sed -n "2s/^$not_written//p")
echo "status $status; report:"
echo "$report"
[ "$status" -eq 255 ] || { echo "FAILED: status $status, not 255"; exit 1; }
[ -n "$reason" ] || { echo "FAILED: no line with the reason after the message"; exit 1; }
[ ! -e "$folder/SkinEngine.dll" ] || { echo "FAILED: the library was written"; exit 1; }
echo "the reason: $reason"
