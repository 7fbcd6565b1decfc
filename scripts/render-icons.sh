#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the launcher icons of the larger sizes from data/icons/sorvanto.svg (needs librsvg2-bin).
# The 32 x 32 icon is drawn by hand in 16 colours (resources/icons/sorvanto.png) and not rendered.
set -euo pipefail
cd "$(dirname "$0")/../data/icons"
for size in 48 64 128 256; do
  mkdir -p "${size}x${size}"
  rsvg-convert -w "$size" -h "$size" sorvanto.svg -o "${size}x${size}/sorvanto.png"
done
