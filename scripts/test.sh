#!/usr/bin/env bash
# Installs what it needs, builds both trees and runs every test: natively
# (under AddressSanitizer and UndefinedBehaviorSanitizer) and under Wine.
# Prints one summary line and exits non-zero on any failure.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh" || exit 1
"$top/scripts/build.sh" native || exit 1
"$top/scripts/build.sh" win64 || exit 1

source "$top/scripts/display.sh"
export TESSALY_WINE_TEMPLATE=$(mktemp -d /tmp/tessaly-template.XXXXXX)
trap 'rm -rf "$TESSALY_WINE_TEMPLATE"; [ -n "${TESSALY_XVFB_PID:-}" ] && kill $TESSALY_XVFB_PID 2>/dev/null' EXIT
"$top/scripts/wine-prefix.sh" "$TESSALY_WINE_TEMPLATE"

status=0
passed=0; failed=0
for tree in native win64; do
  echo "== $tree"
  log=$(mktemp)
  (cd "$top/build/$tree" && ctest -V) > "$log" 2>&1 || status=1
  grep -E '^[0-9]+: \[  FAILED  \]|Failure$|^ *[0-9]+/[0-9]+ Test|tests passed|Sanitizer' "$log" | sed 's/^/  /'
  grep -qE '(ERROR|WARNING): (Address|UndefinedBehavior|Leak)Sanitizer|runtime error:' "$log" && status=1
  p=$(grep -oE '^[0-9]+: \[  PASSED  \] [0-9]+ test' "$log" | awk '{s+=$(NF-1)} END {print s+0}')
  f=$(grep -oE '^[0-9]+: \[  FAILED  \] [0-9]+ test' "$log" | awk '{s+=$(NF-1)} END {print s+0}')
  # Script tests close with a plain "N passed, N failed" line.
  sp=$(grep -oE '^[0-9]+: [0-9]+ passed, [0-9]+ failed' "$log" | awk '{s+=$2} END {print s+0}')
  sf=$(grep -oE '^[0-9]+: [0-9]+ passed, [0-9]+ failed' "$log" | awk '{s+=$4} END {print s+0}')
  passed=$((passed + p + sp)); failed=$((failed + f + sf))
  rm -f "$log"
done
echo "== fuzz"
if "$top/scripts/fuzz.sh" "${TESSALY_FUZZ_SECONDS:-5}" > "$top/build/fuzz.log" 2>&1; then
  passed=$((passed + 3))
else
  status=1; failed=$((failed + 1)); tail -40 "$top/build/fuzz.log"
fi
grep -E '^Fuzz' "$top/build/fuzz.log" | sed 's/^/  /'
[ "$failed" -gt 0 ] && status=1
echo "tests: $passed passed, $failed failed"
exit $status
