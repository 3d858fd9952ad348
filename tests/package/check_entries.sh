#!/bin/bash
# What desktops, software centres and man read from the package: the menu entry, the
# AppStream data with its release, the icons at their sizes, the manual pages' version
# (lintian reads the pages themselves).
# Usage: check_entries.sh PACKAGE VERSION ICON_SOURCE
source "$(dirname "$0")/common.sh"
version=$2 icon_source=$3
unpack_package "$1"
share=$root/usr/share

entry=$share/applications/capcalc.desktop
desktop-file-validate "$entry" || fail "desktop-file-validate: $entry"
for line in "Name=Capacitor Bank Calculator" "Name[zh_CN]=电容器相关计算" "Exec=capcalc %f" "Icon=capcalc" \
            "Categories=Science;Engineering;Electricity;" "StartupWMClass=capcalc"; do
  grep -qxF "$line" "$entry" || fail "the menu entry has no line $line"
done
for key in "Comment" "Comment\[zh_CN\]" "Keywords" "Keywords\[zh_CN\]"; do
  grep -q "^$key=." "$entry" || fail "the menu entry has no $key"
done

# The file, and the whole tree, so that its launchable is checked against the menu entry.
appstreamcli validate --no-net "$share"/metainfo/*.metainfo.xml || fail "appstreamcli validate"
appstreamcli validate-tree --no-net "$root" || fail "appstreamcli validate-tree"
grep -q "<release version=\"$version\" date=\"[0-9-]*\"/>" "$share"/metainfo/*.metainfo.xml ||
  fail "the AppStream data has no release $version"
grep -q "<screenshot type=\"default\">" "$share"/metainfo/*.metainfo.xml || fail "no screenshot"

# A PNG file's width and height are the two big-endian words after its header chunk's type.
png_size() { od --address-radix=n --format=u1 --skip-bytes=16 --read-bytes=8 "$1" |
               awk '{ print $1 * 2^24 + $2 * 2^16 + $3 * 2^8 + $4 "x" $5 * 2^24 + $6 * 2^16 + $7 * 2^8 + $8 }'; }
for size in 16 22 24 32 48 64 128 256; do
  png=$share/icons/hicolor/${size}x$size/apps/capcalc.png
  [ "$(png_size "$png")" = "${size}x$size" ] || fail "$png is $(png_size "$png")"
done
cmp "$share/icons/hicolor/scalable/apps/capcalc.svg" "$icon_source" || fail "the scalable icon is not $icon_source"

zcat "$share/doc/capcalc/changelog.gz" | head -1 | grep -q "^capcalc ($version) " ||
  fail "the changelog's latest entry is not $version"
for page in capcalc capcalc-script; do
  manual=$share/man/man1/$page.1.gz
  zcat "$manual" | head -1 | grep -q "\"capcalc $version\"" || fail "$manual is not of version $version"
done
