#!/usr/bin/env bash
# Rebuilds the window's pictures from their SVG sources: six baseline JPEG diagrams (JFIF
# 1.01, 96 dpi, YCbCr 4:2:0, standard Huffman tables) and the 72 x 72 icon. The results
# are committed, so a normal build needs none of the tools used here.
set -euo pipefail
cd "$(dirname "$0")"

# Tool -> Debian package providing it.
declare -A packages=(
  [rsvg-convert]=librsvg2-bin
  [cjpeg]=libjpeg-turbo-progs
  [python3]=python3
  [fc-list]=fontconfig
)
missing=()
for tool in "${!packages[@]}"; do
  command -v "$tool" >/dev/null || missing+=("${packages[$tool]}")
done
# The labels are set in bold DejaVu Sans and Serif; another font would change the files.
fc-list 2>/dev/null | grep -q 'DejaVuSerif-Bold' || missing+=(fonts-dejavu-core)
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    $(printf '%s\n' "${missing[@]}" | sort -u)
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Quality 90 keeps the thin lines and small letters free of ringing once the panels
# shrink the diagrams.
for diagram in star_connection delta_connection open_delta_voltage voltage_differential \
               neutral_line_current bridge_differential; do
  rsvg-convert "$diagram.svg" -o "$work/$diagram.png"
  python3 picture_files.py ppm "$work/$diagram.png" "$work/$diagram.ppm"
  cjpeg -quality 90 -sample 2x2 -dct int -outfile "$diagram.jpg" "$work/$diagram.ppm"
  python3 picture_files.py density "$diagram.jpg" 96
done

rsvg-convert main_window_icon.svg -o "$work/main_window.png"
python3 picture_files.py ico "$work/main_window.png" main_window.ico

ls -l ./*.jpg ./*.ico
