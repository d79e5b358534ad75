#!/usr/bin/env bash
# Log files that cannot be opened: a read-only file, a missing folder, and a
# symbolic link planted where the log belongs. Each shows the "LogFileError"
# box once, writes nothing through the link, and the run goes on (the
# sign-in run still removes its Run value). Arguments: the build folder.
set -u
build=$1
source "$(dirname "$0")/script-prefix.sh"
outside=$(mktemp /tmp/tessaly-outside.XXXXXX)
CLEANUP=$outside
public="$WINEPREFIX/drive_c/users/Public"
helper=$build/tests/wine/test_helper.exe
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'

# One sign-in run with logging; prints the number of warning boxes it showed.
apply_run() {
  wine reg add "$run_key" /v CorvelChg /d x /f >/dev/null 2>&1
  wine "$helper" dismiss LogFileError >/dev/null 2>&1 &
  local dismisser=$!
  timeout 60 wine "$build/CorvelChg.exe" /CreateLog /apply >/dev/null 2>&1
  local code=$?
  wine "$helper" stop-dismiss >/dev/null 2>&1
  wait $dismisser 2>/dev/null
  local boxes=$?
  wine reg query "$run_key" /v CorvelChg >/dev/null 2>&1 && code=99  # the run did not go on
  echo "$code $boxes"
}

printf 'before' > "$outside"
ln -s "$outside" "$public/CorvelChg.log"
check "symbolic link: one box, exit 0, run goes on" '[ "$(apply_run)" = "0 1" ]'
check "nothing written through the link" '[ "$(cat "$outside")" = before ]'
rm -f "$public/CorvelChg.log"

# Wine runs as root here, and root writes to a file without write permission;
# an immutable file stands in for a read-only log.
printf 'old' > "$public/CorvelChg.log"
if chattr +i "$public/CorvelChg.log" 2>/dev/null; then
  check "read-only log: one box, exit 0, run goes on" '[ "$(apply_run)" = "0 1" ]'
  check "read-only log unchanged" '[ "$(cat "$public/CorvelChg.log")" = old ]'
  chattr -i "$public/CorvelChg.log"
else
  echo "skipped: the read-only log (this file system has no immutable files for chattr +i)"
fi
rm -f "$public/CorvelChg.log"

mv "$public" "$public.away"
check "missing folder: one box, exit 0, run goes on" '[ "$(apply_run)" = "0 1" ]'
mv "$public.away" "$public"

echo "$passed passed, $failed failed"
[ $failed -eq 0 ]
