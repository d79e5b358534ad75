#!/usr/bin/env bash
# Runs one Windows program under Wine in a fresh throwaway prefix copied from
# the run's template prefix (TESSALY_WINE_TEMPLATE), and passes its exit code on.
set -u
here=$(cd "$(dirname "$0")" && pwd)
template=${TESSALY_WINE_TEMPLATE:-}
if [ -z "$template" ] || [ ! -d "$template" ]; then
  template=$(mktemp -d /tmp/tessaly-template.XXXXXX)
  "$here/wine-prefix.sh" "$template" >&2
fi
prefix=$(mktemp -d /tmp/tessaly-prefix.XXXXXX)
cp -a "$template/." "$prefix/"
export WINEPREFIX=$prefix WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
wine "$@"
code=$?
wineserver -k 2>/dev/null
wineserver -w 2>/dev/null
rm -rf "$prefix"
exit $code
