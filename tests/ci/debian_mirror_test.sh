#!/usr/bin/env bash
# The CI's choice of Debian mirror from the machine's APT sources (.ci/debian_mirror.sh),
# on APT folders made up for each case.
set -uo pipefail
source "$(dirname "$0")/../../.ci/debian_mirror.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# expect NAME EXPECTED: the mirror of the folder $work/NAME, or "" for none (and failure).
expect() {
  local got status
  got=$(debian_mirror "$work/$1")
  status=$?
  if [ "$got" != "$2" ] || { [ -z "$2" ] && [ $status -eq 0 ]; } || { [ -n "$2" ] && [ $status -ne 0 ]; }; then
    echo "FAILED: $1: got \"$got\" (status $status), expected \"$2\""
    failures=$((failures + 1))
  fi
}

# folder NAME FILE CONTENT: writes FILE (relative to the folder) with CONTENT.
folder() {
  mkdir -p "$(dirname "$work/$1/$2")"
  printf '%s\n' "$3" >"$work/$1/$2"
}

# Debian 12 as installed: deb822 sources, the security archive first, a vendor's source
# for "bookworm" that sorts before Debian's own, a key spread over several lines, and a
# switched-off stanza.
folder deb822 sources.list.d/debian.sources '# Debian
Types: deb-src
URIs: http://sources.example/debian
Suites: bookworm
Components: main

Types: deb
URIs: http://security.debian.org/debian-security
Suites: bookworm-security
Components: main

Types: deb
URIs: http://off.example/debian
Suites: bookworm
Components: main
Enabled: no

types: deb deb-src
uris:
 http://ftp.example.org/debian/
 http://second.example.org/debian
suites: bookworm bookworm-updates
components: main contrib
signed-by:
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 Suites: bookworm
 URIs: http://not-a-field.example
 -----END PGP PUBLIC KEY BLOCK-----'
folder deb822 sources.list.d/a-vendor.sources 'Types: deb
URIs: https://vendor.example/linux/debian
Suites: bookworm
Components: stable'
folder deb822 sources.list.d/nodesource.sources.disabled 'Types: deb
URIs: http://disabled.example/debian
Suites: bookworm
Components: main'
expect deb822 http://ftp.example.org/debian/

# One-line entries: comments, options in brackets, sources before binaries, the security
# archive, an entry whose options never close; sources.list before sources.list.d.
folder one-line sources.list '# deb http://commented.example/debian bookworm main
deb-src http://sources.example/debian bookworm main
deb [arch=amd64 signed-by=/usr/share/keyrings/x.gpg http://bad.example/debian bookworm main
deb http://security.debian.org/debian-security bookworm-security main
deb [ arch=amd64 ]	http://mirror.example.cn/debian	bookworm	main non-free-firmware # the nearest'
folder one-line sources.list.d/debian.sources 'Types: deb
URIs: http://later.example/debian
Suites: bookworm
Components: main'
expect one-line http://mirror.example.cn/debian

# A list of mirrors in a file, as cloud images name their mirror.
folder mirror-list mirrors/debian.list '# the mirrors
http://cloud.example/debian	priority:1
http://other.example/debian'
folder mirror-list sources.list.d/debian.sources "Types: deb
URIs: mirror+file://$work/mirror-list/mirrors/debian.list
Suites: bookworm
Components: main"
expect mirror-list http://cloud.example/debian

# Nothing for Debian 12's main archive: another release, only a vendor, no sources at all.
folder none sources.list 'deb http://deb.debian.org/debian trixie main
deb https://vendor.example/debian bookworm stable'
expect none ""
mkdir -p "$work/empty"
expect empty ""

[ $failures -eq 0 ] && echo "every case passed"
[ $failures -eq 0 ]
