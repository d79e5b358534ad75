#!/usr/bin/env bash
# Runs one Windows program under Wine in a throwaway prefix copied from the
# run's template prefix (TESSALY_WINE_TEMPLATE), and passes its exit code on.
# The prefix is made under TESSALY_WINE_TMP (default /tmp) and removed on
# every exit, with whatever still runs in it; a program that runs longer than
# TESSALY_TEST_LIMIT seconds (default 540) is ended first.
source "$(dirname "$0")/fixed-layout.sh"
set -u
template=${TESSALY_WINE_TEMPLATE:-}
if [ -z "$template" ] || [ ! -f "$template/system.reg" ]; then
  echo "wine-run: no template prefix; run scripts/test.sh, or make one with" >&2
  echo "wine-run: scripts/wine-prefix.sh DIR and set TESSALY_WINE_TEMPLATE=DIR" >&2
  exit 2
fi
prefix=$(mktemp -d "${TESSALY_WINE_TMP:-/tmp}/tessaly-prefix.XXXXXX")
program=""
cleanup() {
  trap - EXIT INT TERM
  [ -n "$program" ] && kill "$program" 2>/dev/null
  WINEPREFIX=$prefix wineserver -k 2>/dev/null
  rm -rf "$prefix"
}
trap cleanup EXIT
trap 'cleanup; exit 130' INT
trap 'cleanup; exit 143' TERM
cp -a "$template/." "$prefix/"
export WINEPREFIX=$prefix WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
# In the background, so that a signal is handled at once.
timeout -k 10 "${TESSALY_TEST_LIMIT:-540}" wine "$@" &
program=$!
wait "$program"
code=$?
program=""
exit $code
