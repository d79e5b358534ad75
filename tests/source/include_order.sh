#!/usr/bin/env bash
# Includes run one way: ui -> app -> switch -> engine -> settings -> log ->
# fw -> platform. A file may include its own folder, the folders below it
# and res/ (the resource ids); an include that runs up the order fails.
set -u
top=$(cd "$(dirname "$0")/../.." && pwd)
order=(ui app switch engine settings log fw platform)
rank() { local i; for i in "${!order[@]}"; do [ "${order[$i]}" = "$1" ] && echo "$i" && return; done; echo -1; }
passed=0; failed=0
for folder in "${order[@]}"; do
  mine=$(rank "$folder")
  while IFS=: read -r file included; do
    target=${included%%/*}
    [ "$target" = res ] && continue
    theirs=$(rank "$target")
    if [ "$theirs" -lt "$mine" ]; then
      echo "up the order: ${file#$top/} includes $included"; failed=$((failed + 1))
    else
      passed=$((passed + 1))
    fi
  done < <(grep -rHoE '^#include "[a-z]+/[^"]+"' "$top/$folder" | sed -E 's/:#include "/:/; s/"$//')
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
