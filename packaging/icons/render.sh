#!/usr/bin/env bash
# Renders the icon's PNG sizes from its two drawings (rsvg-convert, Debian package
# librsvg2-bin). The small drawing has fewer, bolder parts so that 16 to 32 pixels stay sharp.
set -euo pipefail
cd "$(dirname "$0")"
for size in 48 64 128 256; do rsvg-convert -w "$size" -h "$size" tarnel2012.svg -o "tarnel2012-$size.png"; done
for size in 16 22 24 32; do rsvg-convert -w "$size" -h "$size" tarnel2012-small.svg -o "tarnel2012-$size.png"; done
