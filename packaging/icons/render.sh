#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the program icon mavor.svg into the fixed sizes of the hicolor theme.
# Run by hand after changing the drawing (needs rsvg-convert from librsvg2-bin);
# the PNGs are kept in the repository so the build needs no renderer.
set -e
cd "$(dirname "$0")"
for size in 16 22 24 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" mavor.svg -o "mavor-$size.png"
done
cp mavor-64.png ../../src/app/icons/mavor.png
