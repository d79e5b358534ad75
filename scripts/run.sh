#!/usr/bin/env bash
# Builds CorvelChg.exe and starts it under Wine in a prefix of its own
# (kept in ~/.tessaly-wine), passing the arguments through, for example
# /CreateLog or /apply. Without a DISPLAY it starts Xvfb itself and saves a
# screenshot of the Wine desktop, whose path it prints.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh" || exit 1
"$top/scripts/build.sh" win64 >/dev/null || exit 1

headless=0
[ -z "${DISPLAY:-}" ] && headless=1
source "$top/scripts/display.sh"
export WINEPREFIX=${TESSALY_PREFIX:-$HOME/.tessaly-wine} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -f "$WINEPREFIX/system.reg" ] || "$top/scripts/wine-prefix.sh" "$WINEPREFIX"

wine "$top/build/win64/CorvelChg.exe" "$@" &
tool=$!
if [ $headless -eq 1 ]; then
  sleep 6
  shot=$top/build/screenshot.png
  import -window root "$shot" && echo "screenshot: $shot"
  wineserver -k  # nobody can click on a display that nobody sees: end the tool
  wait $tool
  echo "CorvelChg.exe was ended after the screenshot"
  [ -n "${TESSALY_XVFB_PID:-}" ] && kill $TESSALY_XVFB_PID 2>/dev/null
  exit 0
fi
wait $tool
code=$?
echo "CorvelChg.exe exited with $code"
exit $code
