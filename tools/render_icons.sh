#!/usr/bin/env bash
# Renders the window icon ui/icons/schnackomat.svg into the PNG sizes kept next to it.
# Needs rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../ui/icons"
for size in 16 32 48 64 128 256; do
    rsvg-convert --width "$size" --height "$size" --format png \
        --output "schnackomat-$size.png" schnackomat.svg
done
