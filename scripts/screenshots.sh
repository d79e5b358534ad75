#!/usr/bin/env bash
# Writes screenshots of the tool's six windows (main, detail, progress,
# sign-out prompt, factory-settings confirmation, confirmation of the return
# to the person's own settings) with the Windows 7 and the
# Windows 10 wording, and of the detail window on a small screen at 144 DPI,
# to build/screenshots/, for review and for the README.
source "$(dirname "$0")/fixed-layout.sh"
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh" || exit 1
"$top/scripts/build.sh" win64 >/dev/null || exit 1
unset DISPLAY
source "$top/scripts/display.sh"
out=$top/build/screenshots
mkdir -p "$out"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
helper=$top/build/win64/tests/wine/test_helper.exe
shown=""
cleanup() {
  trap - EXIT INT TERM
  [ -n "$shown" ] && kill "$shown" 2>/dev/null
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then wineserver -k 2>/dev/null; rm -rf "$WINEPREFIX"; fi
  [ -n "${TESSALY_XVFB_PID:-}" ] && kill "$TESSALY_XVFB_PID" 2>/dev/null
}
trap cleanup EXIT
trap 'cleanup; exit 130' INT
trap 'cleanup; exit 143' TERM
# The class of each window, to wait for it before the picture.
declare -A class=([main]=MainWindowClass [detail]=DetailWindowClass [prompt]='#32770' [restore]='#32770'
                  [original]='#32770' [progress]='#32770')
# Shows one window with the helper, waits until it has painted and takes
# the desktop's picture: shoot WINDOW SIZE FILE
shoot() {
  wine "$helper" show "$1" >/dev/null 2>&1 &
  shown=$!
  wine "$helper" wait-shown "${class[$1]}" >/dev/null 2>&1 || echo "no $1 window for $3"
  import -window root -crop "$2+0+0" "$out/$3"
  kill "$shown" 2>/dev/null
  wait "$shown" 2>/dev/null
  shown=""
}
# A prefix of its own for each picture set: the progress window changes its metrics.
new_prefix() {
  export WINEPREFIX=$(mktemp -d /tmp/tessaly-shots.XXXXXX)
  "$top/scripts/wine-prefix.sh" "$WINEPREFIX"
}
end_prefix() {
  wineserver -k
  rm -rf "$WINEPREFIX"
}
for version in win7 win10; do
  new_prefix
  wine reg add 'HKCU\Software\Wine' /v Version /d $version /f >/dev/null 2>&1
  # The progress window last: its worker really applies a profile in this prefix.
  # A kept set of the person's own settings, so that its button is enabled.
  wine reg add 'HKCU\Software\Halden\CorvelChg\Original' /v Complete /t REG_DWORD /d 1 /f >/dev/null 2>&1
  for window in main detail prompt restore original progress; do shoot $window 1024x700 "$window-$version.png"; done
  end_prefix
done
# The detail window on a 1366x768 laptop at 144 DPI: too tall for the work
# area, so its grid scrolls between the headings and the buttons.
new_prefix
"$top/scripts/wine-layout.sh" 1366x696 144
shoot detail 1366x696 detail-144dpi.png
end_prefix
echo "screenshots in $out"
exit 0
