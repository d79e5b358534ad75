#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for the given seconds (default
# 60). A crash input is kept in build/fuzz/crashes/ and fails the run: turn
# it into a regression test. The test command runs this with a few seconds.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
"$top/scripts/setup.sh" || exit 1
CC=clang CXX=clang++ cmake -S "$top" -B "$top/build/fuzz" -G Ninja -DTESSALY_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 1
# ninja prints a failed compile on its standard output: kept, and shown on failure.
cmake --build "$top/build/fuzz" >"$top/build/fuzz/build.log" 2>&1 || { tail -30 "$top/build/fuzz/build.log"; exit 1; }
mkdir -p "$top/build/fuzz/crashes"
passed=0; failed=0
for target in FuzzResolution FuzzText FuzzConversions; do
  corpus="$top/build/fuzz/corpus/$target"
  mkdir -p "$corpus"
  if "$top/build/fuzz/tests/fuzz/$target" -max_total_time="$seconds" -rss_limit_mb=2048 \
       -artifact_prefix="$top/build/fuzz/crashes/$target-" "$corpus" >"$top/build/fuzz/$target.log" 2>&1; then
    passed=$((passed + 1))
    echo "$target: $(grep -oE 'Done [0-9]+ runs in [0-9]+ second' "$top/build/fuzz/$target.log" | head -1)"
  else
    failed=$((failed + 1))
    echo "$target: FAILED"; tail -30 "$top/build/fuzz/$target.log"
  fi
done
echo "fuzz targets: $passed passed, $failed failed"
[ $failed -eq 0 ]
