#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need, when missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config clang libclang-rt-14-dev clang-format
  libfltk1.3-dev libjpeg62-turbo-dev libx11-dev libxft-dev libfontconfig-dev
  libgtest-dev libbenchmark-dev libhpdf-dev nlohmann-json3-dev
  fonts-arphic-uming fonts-arphic-ukai
  xvfb xauth xdotool x11-utils libpng-dev libxtst-dev libxext-dev poppler-utils poppler-data
  openbox icewm
  g++-mingw-w64-x86-64-posix mingw-w64-tools wine64
  python3 locales
  librsvg2-bin lintian desktop-file-utils appstream
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
