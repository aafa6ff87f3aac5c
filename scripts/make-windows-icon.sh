#!/usr/bin/env bash
# Renders the window's icon (resources/talvikcom.svg) into the Windows icon the
# executable carries (resources/talvikcom.ico), at the sizes Windows asks for, and
# into the PNGs the windows take where Qt has no SVG plugin (resources/icons/).
# Run after changing the SVG; needs librsvg2-bin and imagemagick.
set -euo pipefail
cd "$(dirname "$0")/../resources"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sizes=(16 24 32 48 64 256)
for size in "${sizes[@]}"; do
    rsvg-convert -w "$size" -h "$size" talvikcom.svg -o "$work/$size.png"
    cp "$work/$size.png" "icons/talvikcom-$size.png"
done
convert $(printf "$work/%s.png " "${sizes[@]}") talvikcom.ico
identify talvikcom.ico
