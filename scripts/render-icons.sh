#!/usr/bin/env bash
# Renders the program's and the week file's SVG icons into the PNG sizes the package
# installs (packaging/icons/<size>/). Run after changing an SVG; the PNGs are committed,
# so a build needs no SVG renderer. Needs rsvg-convert (Debian: librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../packaging/icons"
for size in 16 22 24 32 48 64 128 256; do
  mkdir -p "$size"
  for icon in tavrola application-x-tavrola-rwk; do
    rsvg-convert -w "$size" -h "$size" "$icon.svg" -o "$size/$icon.png"
  done
done
