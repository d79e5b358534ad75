#!/usr/bin/env bash
# Draws the button faces in res/ as 24-bit BMP files: the mode buttons of the
# main window (107 normal, 112 selected; 244 x 126) and the level buttons of
# the detail window (115 to 122; 136 x 60). The .bmp files are committed; the
# build does not need this script.
set -euo pipefail
cd "$(dirname "$0")/../res"
im=/usr/bin/convert
# bmp OUT ARGS...: draws ARGS into a 24-bit BMP named OUT.
bmp() { out=$1; shift; "$im" "$@" -alpha off -type TrueColor "BMP3:$out"; }

# 107: light grey in two bands with a thin dark outline.
bmp face107.bmp -size 244x126 xc:'rgb(239,239,239)' -fill 'rgb(214,214,214)' -draw 'rectangle 0,63 243,125' \
    -fill none -stroke 'rgb(112,112,112)' -strokewidth 1 -draw 'rectangle 0,0 243,125'
# 112: turquoise, dark at the top shading to rgb(195,255,255), with a dark shaded rim.
bmp face112.bmp -size 244x126 gradient:'rgb(0,139,150)-rgb(195,255,255)' \
    -fill none -stroke 'rgb(0,80,90)' -strokewidth 3 -draw 'rectangle 1,1 242,124' \
    -stroke 'rgb(0,110,120)' -strokewidth 1 -draw 'rectangle 4,4 239,121'
# Level faces, flat colours.
bmp face115.bmp -size 136x60 xc:'rgb(199,178,222)'
bmp face116.bmp -size 136x60 xc:'rgb(180,235,250)'
bmp face118.bmp -size 136x60 xc:'rgb(237,197,143)'
bmp face119.bmp -size 136x60 xc:'rgb(203,242,102)'
bmp face121.bmp -size 136x60 xc:'rgb(255,209,209)'
bmp face122.bmp -size 136x60 xc:'rgb(239,239,239)' -fill 'rgb(214,214,214)' -draw 'rectangle 0,30 135,59'
