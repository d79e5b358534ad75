# Sourced by the script tests: a fresh Wine prefix copied from the run's
# template, removed again on every exit together with what runs in it, and
# a check function that counts what passed. Extra folders to remove on exit
# go in CLEANUP.
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/fixed-layout.sh"
template=${TESSALY_WINE_TEMPLATE:-}
if [ -z "$template" ] || [ ! -f "$template/system.reg" ]; then
  echo "no template prefix; run scripts/test.sh, or set TESSALY_WINE_TEMPLATE to a prefix made by" \
       "scripts/wine-prefix.sh" >&2
  echo "0 passed, 1 failed"
  exit 2
fi
export WINEPREFIX=$(mktemp -d "${TESSALY_WINE_TMP:-/tmp}/tessaly-prefix.XXXXXX") WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
CLEANUP=""
script_cleanup() {
  trap - EXIT INT TERM
  local jobs
  jobs=$(jobs -p)
  [ -n "$jobs" ] && kill $jobs 2>/dev/null
  wineserver -k 2>/dev/null
  rm -rf "$WINEPREFIX" $CLEANUP
}
trap script_cleanup EXIT
trap 'script_cleanup; exit 130' INT
trap 'script_cleanup; exit 143' TERM
cp -a "$template/." "$WINEPREFIX/"
passed=0; failed=0
check() { if eval "$2"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $1"; fi; }
