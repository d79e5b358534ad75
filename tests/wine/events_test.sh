#!/usr/bin/env bash
# What the program reports to the Application event log, read from Wine's
# stub of ReportEventW: each run's type, full identifier (severity bits
# included), the channel level of its inserts (err for an error, warn for a
# warning, trace for the rest) and the inserts (tests/wine/wine_events.py).
# Arguments: the build folder.
set -u
build=$1
source "$(dirname "$0")/script-prefix.sh"
out=$(mktemp -d /tmp/tessaly-events.XXXXXX)
CLEANUP="$out"
parse="$(dirname "$0")/wine_events.py"
helper() { wine "$build/tests/wine/test_helper.exe" "$@" >/dev/null 2>&1; }
reg() { wine reg "$@" >/dev/null 2>&1; }
# One run of the program with the event channels on, after the project's
# -all: its reports, one a line, in $got, and its exit code in $code.
events() {
  helper desktop-view &
  local view=$!
  helper wait-window Progman
  WINEDEBUG=-all,fixme+advapi,+eventlog wine "$build/CorvelChg.exe" "$@" >/dev/null 2>"$out/run.txt"
  code=$?
  kill "$view" 2>/dev/null; wait "$view" 2>/dev/null
  got=$(python3 "$parse" "$out/run.txt")
}
reg add 'HKCU\Control Panel\Desktop\WindowMetrics' /v AppliedDPI /t REG_DWORD /d 96 /f
reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f
reg add 'HKCU\Control Panel\Desktop' /v Win8DpiScaling /t REG_DWORD /d 1 /f

# A switch, done: information, with the profile's name and number.
events /quiet /mode 1
check "a switch reports one event" '[ "$got" = "0004 400003e8 trace 設定①|1" ] && [ $code -eq 0 ]'

# The sign-in check that puts back the blink rate Windows changed.
reg add 'HKCU\Software\Halden\CorvelChg\Settings' /v KeepProfile /t REG_DWORD /d 1 /f
reg add 'HKCU\Control Panel\Desktop' /v CursorBlinkRate /d 1200 /f
events /keep
check "a check that puts something back reports it" '[ "$got" = "0004 400004b0 trace 設定①|1|CursorSpeed" ]'
events /keep
check "a check with nothing to put back reports nothing" '[ -z "$got" ] && [ $code -eq 0 ]'
reg delete 'HKCU\Software\Halden\CorvelChg\Settings' /v KeepProfile /f

# The return to the person's own settings.
events /quiet /original
check "a return reports one event" '[ "$got" = "0004 4000044c" ] && [ $code -eq 0 ]'

# A keep that fails: the kept set's key refuses writing.
helper deny-writing 'Software\Halden\CorvelChg\Original' on
events /quiet /mode 3
check "a keep that fails is an error with what failed" \
  '[ "$got" = "0001 c00003eb err 設定③|3|AppliedDPI|5" ] && [ $code -eq 2 ]'
helper deny-writing 'Software\Halden\CorvelChg\Original' off

# A policy value out of range, read twice by the check: once a run.
reg add 'HKLM\Software\Policies\Halden\CorvelChg\Settings' /v KeepProfile /t REG_DWORD /d 7 /f /reg:64
events /keep
check "a policy out of range is a warning with its path, once" \
  '[ "$got" = "0002 80000514 warn HKLM\\Software\\Policies\\Halden\\CorvelChg\\Settings\\KeepProfile|7|1" ]'

echo "$passed passed, $failed failed"
[ $failed -eq 0 ]
