#!/usr/bin/env bash
# Every script that starts Wine runs with Linux's address randomization off
# (scripts/fixed-layout.sh, directly or through the script tests' prefix):
# one that starts it with randomization loses a process start now and then.
# The re-run itself keeps the arguments and has the personality bit set.
set -u
top=$(cd "$(dirname "$0")/../.." && pwd)
passed=0; failed=0
# A program or a command after "wine"; a list of packages is no start.
starts_wine='(^|[;&|(]|[[:space:]])(wine[[:space:]]+("|\$|reg |regedit |msiexec |cmd )|wineboot[[:space:]])'
while read -r file; do
  case $file in */fixed-layout.sh | */script-prefix.sh) continue ;; esac
  grep -vE '^[[:space:]]*#' "$file" | grep -qE "$starts_wine" || continue
  if grep -qE '^[[:space:]]*source .*(fixed-layout|script-prefix)\.sh' "$file"; then
    passed=$((passed + 1))
  else
    echo "starts Wine with a random layout: ${file#$top/}"; failed=$((failed + 1))
  fi
done < <(find "$top/scripts" "$top/tests" -name '*.sh' | sort)

probe=$(mktemp)
trap 'rm -f "$probe"' EXIT
printf 'source "%s/scripts/fixed-layout.sh"\necho "$(cat /proc/self/personality) $#:$1"\n' "$top" > "$probe"
# From a plain layout, as a script started outside the test command has.
read -r personality args < <(env -u TESSALY_FIXED_LAYOUT setarch "$(uname -m)" bash "$probe" "a b" c)
if [ $((0x$personality & 0x0040000)) -ne 0 ] && [ "$args" = "2:a b" ]; then
  passed=$((passed + 1))
else
  echo "the re-run gave personality $personality and arguments $args"; failed=$((failed + 1))
fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
