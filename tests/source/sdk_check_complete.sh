#!/usr/bin/env bash
# Every name that platform/WinDefs.h defines by hand (constant, type or
# structure) is compared with the SDK in platform/win32/SdkCheck.cpp: by a
# check, not by a mention in a comment.
set -u
top=$(cd "$(dirname "$0")/../.." && pwd)
names=$(sed -nE 's/^constexpr [A-Za-z_]+ ([A-Za-z_0-9]+) =.*/\1/p; s/^using ([A-Za-z_0-9]+) =.*/\1/p;
                 s/^struct ([A-Za-z_0-9]+) \{.*/\1/p' "$top/platform/WinDefs.h")
# The checks: the check file without its comments.
checks=$(sed -E 's://.*$::' "$top/platform/win32/SdkCheck.cpp")
passed=0; failed=0
for name in $names; do
  if grep -qE "(X|SAME_TYPE|SAME_SIZE|SAME_FIELD)\( *$name\b|hand::$name\b" <<<"$checks"; then
    passed=$((passed + 1))
  else
    echo "not checked against the SDK: $name"; failed=$((failed + 1))
  fi
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
