#!/usr/bin/env bash
# Draws the program icon (res/CorvelChg.ico): a monitor with a large "A".
# The .ico is committed; the build does not need this script.
set -euo pipefail
cd "$(dirname "$0")/../res"
tmp=$(mktemp -d)
for size in 16 32 48; do
  /usr/bin/convert -size 256x256 xc:none \
    -fill '#1f6fb2' -draw 'roundrectangle 16,28 240,196 20,20' \
    -fill '#e8f4ff' -draw 'rectangle 34,46 222,178' \
    -fill '#1f6fb2' -draw 'rectangle 108,196 148,222' -draw 'roundrectangle 72,218 184,236 8,8' \
    -fill '#1f3b5a' -draw 'polygon 128,58 180,168 158,168 146,140 110,140 98,168 76,168' \
    -fill '#e8f4ff' -draw 'polygon 128,92 140,122 116,122' \
    -resize ${size}x${size} "$tmp/icon$size.png"
done
/usr/bin/convert "$tmp/icon16.png" "$tmp/icon32.png" "$tmp/icon48.png" CorvelChg.ico
rm -rf "$tmp"
