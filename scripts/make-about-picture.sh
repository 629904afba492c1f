#!/usr/bin/env bash
# Draws the about window's picture (a river under an evening sky, 194 x 251)
# with ImageMagick and writes it to resources/Odra2020.jpg.
set -euo pipefail
out=${1:-"$(dirname "$0")/../resources/Odra2020.jpg"}
convert -size 194x251 gradient:'#f6c77a-#5b7fb8' \
  -fill '#f4e3a1' -draw 'circle 140,70 140,88' \
  -fill '#3d5a80' -draw 'polygon 0,150 60,132 120,146 194,128 194,251 0,251' \
  -fill '#2a4365' -draw 'polygon 0,180 80,168 194,176 194,251 0,251' \
  -fill '#dbe7f3' -draw 'line 20,200 90,196' -draw 'line 110,214 180,210' -draw 'line 40,232 150,228' \
  -fill '#1f2d3d' -draw 'rectangle 30,120 34,150' -draw 'polygon 22,124 32,96 42,124' \
  -quality 90 "$out"
