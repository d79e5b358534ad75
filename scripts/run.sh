#!/usr/bin/env bash
# Builds CorvelChg.exe and starts it under Wine in a prefix of its own
# (kept in ~/.tessaly-wine), passing the arguments through, for example
# /CreateLog or /apply. Without a DISPLAY it starts Xvfb itself, saves a
# screenshot of the Wine desktop once the main window is up, prints its path
# and ends the tool. Whatever it started, it ends on every exit. Says each
# step as it starts; the build's own output goes to build/run-build.log and
# is shown only when the build fails.
source "$(dirname "$0")/fixed-layout.sh"
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
started=$(date +%s)
say() { echo "run: $*"; }
took() { echo "run: took $(( $(date +%s) - started )) s"; }

"$top/scripts/setup.sh" || exit 1
say "building CorvelChg.exe (log: build/run-build.log)"
mkdir -p "$top/build"
if ! "$top/scripts/build.sh" win64 CorvelChg help_file test_helper > "$top/build/run-build.log" 2>&1; then
  tail -40 "$top/build/run-build.log"
  say "the build failed; its whole output is in build/run-build.log"
  exit 1
fi

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
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  say "making the Wine prefix $WINEPREFIX"
  "$top/scripts/wine-prefix.sh" "$WINEPREFIX"
fi

say "starting CorvelChg.exe $*"
wine "$top/build/win64/CorvelChg.exe" "$@" &
tool=$!
if [ $headless -eq 1 ]; then
  shot=$top/build/screenshot.png
  if [[ " $* " == *" /apply "* ]]; then
    wait "$tool"; code=$?; tool=""
    say "CorvelChg.exe /apply exited with $code"
    took
    exit $code
  fi
  wine "$top/build/win64/tests/wine/test_helper.exe" wait-shown MainWindowClass Tessaly >/dev/null 2>&1 ||
    say "the main window did not appear"
  # Only the Wine desktop, not the rest of the larger X screen around it.
  desktop=$(sed -n 's/^"Default"="\([0-9]*x[0-9]*\)"$/\1/p' "$WINEPREFIX/user.reg" | head -1)
  import -window root ${desktop:+-crop "$desktop+0+0" +repage} "$shot" && say "screenshot: $shot"
  say "CorvelChg.exe is ended after the screenshot: nobody can click on a display that nobody sees"
  took
  exit 0
fi
wait "$tool"
code=$?
tool=""
say "CorvelChg.exe exited with $code"
took
exit $code
