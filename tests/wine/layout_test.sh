#!/usr/bin/env bash
# The tool's windows on common screens at the DPI the tool sets there, each
# desktop as tall as the work area Windows 11 leaves above its taskbar: a
# 1366x768 laptop at 144 and at 192 DPI (where the sign-out prompt scrolls
# too and the detail window is as wide as the screen) and a 1920x1080 screen
# at 192 DPI. Each runs the LayoutWine tests in a fresh prefix.
# Usage: layout_test.sh BUILD_DIR; TESSALY_LAYOUTS="1366x696@144" runs only the layouts named.
source "$(dirname "$0")/../../scripts/fixed-layout.sh"
top=$(cd "$(dirname "$0")/../.." && pwd)
build=$1
status=0
for layout in ${TESSALY_LAYOUTS:-1366x696@144 1366x672@192 1920x984@192}; do
  size=${layout%@*}
  dpi=${layout#*@}
  echo "== $size at $dpi DPI"
  (
    source "$top/tests/wine/script-prefix.sh"
    "$top/scripts/wine-layout.sh" "$size" "$dpi"
    TESSALY_LAYOUT_DPI=$dpi timeout -k 10 240 wine "$build/tests/wine/wine_tests.exe" --gtest_filter='LayoutWine.*'
  ) || status=1
done
exit $status
