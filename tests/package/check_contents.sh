#!/bin/bash
# The package holds exactly the expected files, with their modes, owners and link
# targets, and its control fields give the version and the dependencies.
# Usage: check_contents.sh PACKAGE VERSION EXPECTED_CONTENTS
source "$(dirname "$0")/common.sh"
package=$1 version=$2 expected=$3

# Mode, owner, path and link target, in the order of the paths (dpkg-deb puts links
# last); sizes and times vary from build to build.
by_path() { LC_ALL=C sort -k3,3; }
dpkg-deb --contents "$package" | awk '{ $3 = $4 = $5 = ""; print }' | tr -s ' ' | by_path |
  diff -u <(by_path < "$expected") - || fail "the package's files differ from $expected"

field() { dpkg-deb --field "$package" "$1"; }
[ "$(field Package)" = capcalc ] || fail "package name $(field Package)"
[ "$(field Version)" = "$version" ] || fail "version $(field Version), not $version"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "architecture $(field Architecture)"
[ "$(basename "$package")" = "capcalc_${version}_$(dpkg --print-architecture).deb" ] ||
  fail "file name $(basename "$package")"
for dependency in fonts-arphic-uming fonts-arphic-ukai libfltk1.3 libjpeg62-turbo libhpdf-2.3.0 libc6; do
  field Depends | tr ',' '\n' | grep -q "^ *$dependency\b" || fail "no dependency on $dependency: $(field Depends)"
done
