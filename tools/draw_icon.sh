#!/bin/sh
# Redraws the program icon (PNG for the resource collection, ICO for Windows) with ImageMagick.
set -e
cd "$(dirname "$0")/../src/icons"
convert -size 64x64 xc:none \
  -fill '#1f3a5f' -stroke none -draw "roundrectangle 2,2 61,61 10,10" \
  -fill '#f4f6fa' -draw "roundrectangle 9,10 54,53 3,3" \
  -stroke '#c7cfdb' -strokewidth 1 \
  -draw "line 9,21 54,21" -draw "line 9,32 54,32" -draw "line 9,43 54,43" \
  -draw "line 24,10 24,53" -draw "line 39,10 39,53" \
  -fill none -stroke '#00317a' -strokewidth 3 -draw "polyline 12,44 22,36 32,38 42,28 52,24" \
  -stroke '#b21e1e' -strokewidth 3 -draw "polyline 12,40 22,26 32,30 42,18 52,15" \
  PNG32:vandrel.png
convert vandrel.png -define icon:auto-resize=64,48,32,16 vandrel.ico
