#!/bin/bash
# The package as a user meets it: unpacked into a folder nobody may write, the window
# started as the menu entry starts it and a script run through the driver's link, both
# as an unprivileged user from elsewhere. Neither writes anything into the installed tree.
# The driver runs the example of its manual page too. Every check runs whatever failed
# before it, so that one report shows all that is wrong.
# Usage: check_installed.sh PACKAGE VERSION WINDOW_CHECK SCRIPT EXPECTED SCREENSHOT
source "$(dirname "$0")/common.sh"
version=$2 window_check=$3 script=$4 expected=$5 screenshot=$6
unpack_package "$1"
chmod -R a-w "$root"
failures=0
failed() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}

# Names, kinds, modes, owners, sizes, change and modification times, link targets and
# content hashes of everything in the tree.
snapshot() {
  (cd "$root" && find . -printf '%p %y %m %u:%g %s %T@ %C@ %l\n' && find . -type f -exec sha256sum {} +) |
    LC_ALL=C sort
}
before=$(snapshot)
cd "$work/home"

# Started from the menu with no file: the launcher drops the file field code (%f).
exec_line=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/capcalc.desktop" | sed 's/ %[fFuU]//')
window_class=$(sed -n 's/^StartupWMClass=//p' "$root/usr/share/applications/capcalc.desktop")
mkdir -p "$(dirname "$screenshot")"
"$window_check" "$window_class" "$screenshot" \
  "${as_user[@]}" PATH="$root/usr/bin:$PATH" $exec_line || failed "the installed window"

status=0
"${as_user[@]}" "$root/usr/bin/capcalc-script" < "$script" > "$work/script.out" || status=$?
[ $status -eq 0 ] || failed "capcalc-script ended with status $status"
diff -u "$expected" "$work/script.out" || failed "the installed driver's output differs from $expected"
# The example of the driver's manual page: its output is what the driver prints.
zcat "$root/usr/share/man/man1/capcalc-script.1.gz" |
  awk -v to="$work/example." '/^\.EE$/ { part = "" }
                              part == "script" && /^EOF$/ { part = "output"; next }
                              part { print > (to part) }
                              /<<.EOF.$/ { part = "script" }'
"${as_user[@]}" "$root/usr/bin/capcalc-script" < "$work/example.script" | diff -u "$work/example.output" - ||
  failed "the manual page's example differs from what the driver prints"
[ "$("${as_user[@]}" "$root/usr/bin/capcalc-script" --version)" = "capcalc-script $version" ] ||
  failed "capcalc-script --version does not give $version"

diff -u <(echo "$before") <(snapshot) || failed "the programs wrote into the installed tree"
# The program keeps nothing between runs, not even in the user's home.
[ -z "$(ls -A "$work/home")" ] || failed "the programs wrote into the home: $(ls -A "$work/home")"
[ $failures -eq 0 ]
