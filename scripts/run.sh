#!/usr/bin/env bash
# Builds CorvelChg.exe and starts it under Wine in a prefix of its own
# (kept in ~/.tessaly-wine), passing the arguments through, for example
# /CreateLog or /apply. Without a DISPLAY it starts Xvfb itself, saves a
# screenshot of the Wine desktop once the main window is up, prints its path
# and ends the tool. Whatever it started, it ends on every exit.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh" || exit 1
"$top/scripts/build.sh" win64 >/dev/null || exit 1

headless=0
[ -z "${DISPLAY:-}" ] && headless=1
tool=""
cleanup() {
  trap - EXIT INT TERM
  [ -n "$tool" ] && kill "$tool" 2>/dev/null && wait "$tool" 2>/dev/null
  [ -n "${TESSALY_XVFB_PID:-}" ] && kill "$TESSALY_XVFB_PID" 2>/dev/null
}
trap cleanup EXIT
trap 'cleanup; exit 130' INT
trap 'cleanup; exit 143' TERM
source "$top/scripts/display.sh"
export WINEPREFIX=${TESSALY_PREFIX:-$HOME/.tessaly-wine} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -f "$WINEPREFIX/system.reg" ] || "$top/scripts/wine-prefix.sh" "$WINEPREFIX"

wine "$top/build/win64/CorvelChg.exe" "$@" &
tool=$!
if [ $headless -eq 1 ]; then
  shot=$top/build/screenshot.png
  if [[ " $* " == *" /apply "* ]]; then
    wait "$tool"; code=$?; tool=""
    echo "CorvelChg.exe /apply exited with $code"
    exit $code
  fi
  wine "$top/build/win64/tests/wine/test_helper.exe" wait-shown MainWindowClass Tessaly >/dev/null 2>&1 ||
    echo "the main window did not appear"
  import -window root "$shot" && echo "screenshot: $shot"
  echo "CorvelChg.exe is ended after the screenshot: nobody can click on a display that nobody sees"
  exit 0
fi
wait "$tool"
code=$?
tool=""
echo "CorvelChg.exe exited with $code"
exit $code
