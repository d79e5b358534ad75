# Sourced by the script tests: a fresh Wine prefix copied from the run's
# template (made here when there is none), removed again on exit, and a
# check function that counts what passed. Extra folders to remove on exit
# go in CLEANUP.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
template=${TESSALY_WINE_TEMPLATE:-}
if [ -z "$template" ] || [ ! -d "$template" ]; then
  template=$(mktemp -d /tmp/tessaly-template.XXXXXX)
  "$here/../../scripts/wine-prefix.sh" "$template" >&2
fi
export WINEPREFIX=$(mktemp -d /tmp/tessaly-prefix.XXXXXX) WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cp -a "$template/." "$WINEPREFIX/"
CLEANUP=""
trap 'wineserver -k 2>/dev/null; rm -rf "$WINEPREFIX" $CLEANUP' EXIT
passed=0; failed=0
check() { if eval "$2"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $1"; fi; }
