#!/usr/bin/env bash
# Installs what it needs, builds both trees and runs every test: natively
# (under AddressSanitizer and UndefinedBehaviorSanitizer) and under Wine.
# Prints one summary line and exits non-zero on any failure. The full output
# of each tree is kept in build/native-ctest.log and build/win64-ctest.log.
source "$(dirname "$0")/fixed-layout.sh"
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh" || exit 1
"$top/scripts/build.sh" native || exit 1
"$top/scripts/build.sh" win64 || exit 1

# Everything this run makes under /tmp lives in one folder: the template
# prefix and the prefix of each test program. It goes on every exit, with
# whatever runs in those prefixes.
run=$(mktemp -d /tmp/tessaly-run.XXXXXX)
export TESSALY_WINE_TMP=$run TESSALY_WINE_TEMPLATE=$run/template
ctest_pid=""
cleanup() {
  trap - EXIT INT TERM
  if [ -n "$ctest_pid" ]; then
    kill -TERM -- "-$ctest_pid" 2>/dev/null
    wait "$ctest_pid" 2>/dev/null
  fi
  for prefix in "$run"/*/; do
    [ -f "$prefix/system.reg" ] && WINEPREFIX=$prefix wineserver -k 2>/dev/null
  done
  rm -rf "$run"
  [ -n "${TESSALY_XVFB_PID:-}" ] && kill "$TESSALY_XVFB_PID" 2>/dev/null
}
trap cleanup EXIT
trap 'cleanup; exit 130' INT
trap 'cleanup; exit 143' TERM

source "$top/scripts/display.sh"
"$top/scripts/wine-prefix.sh" "$TESSALY_WINE_TEMPLATE"

# ctest in a process group of its own, so that an interrupt ends it and
# every test it started, and their prefixes are cleaned up by their scripts.
run_ctest() {
  (cd "$top/build/$1" && exec setsid ctest -V) > "$top/build/$1-ctest.log" 2>&1 &
  ctest_pid=$!
  wait "$ctest_pid"
  local code=$?
  ctest_pid=""
  return $code
}

# The output of each failed test, as ctest -V numbers its lines.
show_failures() {
  local log=$1
  sed -n '/The following tests FAILED:/,$p' "$log" | grep -oE '^[[:space:]]+[0-9]+ - ' | tr -dc '0-9\n' |
    while read -r n; do
      echo "  ---- output of test $n (last 60 lines):"
      grep -E "^$n: " "$log" | tail -60 | sed 's/^/  /'
    done
  echo "  full log: $log"
}

status=0
passed=0; failed=0
for tree in native win64; do
  echo "== $tree"
  log=$top/build/$tree-ctest.log
  tree_status=0
  run_ctest "$tree" || tree_status=1
  grep -E '^[0-9]+: \[  FAILED  \]|Failure$|^ *[0-9]+/[0-9]+ Test|tests passed|Sanitizer' "$log" | sed 's/^/  /'
  grep -qE '(ERROR|WARNING): (Address|UndefinedBehavior|Leak)Sanitizer|runtime error:' "$log" && tree_status=1
  p=$(grep -oE '^[0-9]+: \[  PASSED  \] [0-9]+ test' "$log" | awk '{s+=$(NF-1)} END {print s+0}')
  f=$(grep -oE '^[0-9]+: \[  FAILED  \] [0-9]+ test' "$log" | awk '{s+=$(NF-1)} END {print s+0}')
  # Script tests close with a plain "N passed, N failed" line.
  sp=$(grep -oE '^[0-9]+: [0-9]+ passed, [0-9]+ failed' "$log" | awk '{s+=$2} END {print s+0}')
  sf=$(grep -oE '^[0-9]+: [0-9]+ passed, [0-9]+ failed' "$log" | awk '{s+=$4} END {print s+0}')
  passed=$((passed + p + sp)); failed=$((failed + f + sf))
  if [ $tree_status -ne 0 ]; then
    status=1
    show_failures "$log"
  fi
done
echo "== fuzz"
if "$top/scripts/fuzz.sh" "${TESSALY_FUZZ_SECONDS:-5}" > "$top/build/fuzz.log" 2>&1; then
  passed=$((passed + 3))
else
  status=1; failed=$((failed + 1)); tail -40 "$top/build/fuzz.log"
  echo "  full log: $top/build/fuzz.log"
fi
grep -E '^Fuzz' "$top/build/fuzz.log" | sed 's/^/  /'
[ "$failed" -gt 0 ] && status=1
# A tree that failed without a failed test (a crash, a timeout) still counts.
[ "$status" -ne 0 ] && [ "$failed" -eq 0 ] && failed=1
echo "tests: $passed passed, $failed failed"
exit $status
