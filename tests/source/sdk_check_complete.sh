#!/usr/bin/env bash
# Every name that platform/WinDefs.h defines by hand (constant, type or
# structure) is compared with the SDK in platform/win32/SdkCheck.cpp.
set -u
top=$(cd "$(dirname "$0")/../.." && pwd)
names=$(sed -nE 's/^constexpr [A-Za-z_]+ ([A-Za-z_0-9]+) =.*/\1/p; s/^using ([A-Za-z_0-9]+) =.*/\1/p;
                 s/^struct ([A-Za-z_0-9]+) \{.*/\1/p' "$top/platform/WinDefs.h")
passed=0; failed=0
for name in $names; do
  if grep -qw "$name" "$top/platform/win32/SdkCheck.cpp"; then
    passed=$((passed + 1))
  else
    echo "not checked against the SDK: $name"; failed=$((failed + 1))
  fi
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
