# Sourced by the package tests.
set -euo pipefail

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# Unpacks the package into $root, in a fresh folder that goes when the test ends, and sets
# $as_user to the command prefix that runs a program as an unprivileged user ("nobody"
# when the test runs as root, the test's own user otherwise) with a home of its own.
unpack_package() {
  work=$(mktemp -d "${TMPDIR:-/tmp}/capcalc-package.XXXXXX")
  trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
  chmod 755 "$work"
  root=$work/root
  dpkg-deb --extract "$1" "$root"
  mkdir "$work/home"
  as_user=(env HOME="$work/home" XDG_CACHE_HOME="$work/home/.cache")
  if [ "$(id -u)" -eq 0 ]; then
    chown nobody:nogroup "$work/home"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups -- "${as_user[@]}")
  fi
}
