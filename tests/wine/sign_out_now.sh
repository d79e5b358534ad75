#!/usr/bin/env bash
# "今すぐサインアウト": ExitWindowsEx ends every process of the Wine prefix, a
# test program inside it included, so this test watches from the Linux side:
# the tool and a witness process are gone, and the Run value stays for the
# next sign-in. Arguments: the build folder.
set -u
build=$1
source "$(dirname "$0")/script-prefix.sh"
helper=$build/tests/wine/test_helper.exe
fail() { echo "FAILED: $*"; echo "0 passed, 1 failed"; exit 1; }

wine reg add 'HKCU\Control Panel\Desktop\WindowMetrics' /v AppliedDPI /t REG_DWORD /d 96 /f >/dev/null 2>&1
wine "$helper" desktop-view >/dev/null 2>&1 &
wine "$helper" witness >/dev/null 2>&1 &
witness=$!
# Both are up before the tool starts: the icon size needs the desktop view.
wine "$helper" wait-window Progman >/dev/null 2>&1 || fail "no desktop view"
wine "$helper" wait-window STATIC witness >/dev/null 2>&1 || fail "no witness window"
wine "$build/CorvelChg.exe" >/dev/null 2>&1 &
tool=$!
wine "$helper" sign-out-now >/dev/null 2>&1 &

for _ in $(seq 600); do kill -0 $tool 2>/dev/null || break; sleep 0.1; done
kill -0 $tool 2>/dev/null && fail "the tool is still running"
for _ in $(seq 100); do kill -0 $witness 2>/dev/null || break; sleep 0.1; done
kill -0 $witness 2>/dev/null && fail "the witness process survived the sign-out"
wineserver -w
run=$(wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v CorvelChg 2>/dev/null)
echo "$run" | grep -q 'CorvelChg.exe" /apply' || fail "no Run value for the next sign-in: $run"
echo "sign-out now: the logon ended and the Run value stays"
echo "1 passed, 0 failed"
