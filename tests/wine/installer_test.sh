#!/usr/bin/env bash
# The installer and the help file, checked with independent readers: msiexec
# installs, "reg query" shows the factory data in the 64-bit view, the
# installed tool runs from Program Files, uninstalling removes what the
# installer wrote and leaves the user's levels; extract_chmLib opens the help.
# Arguments: the build folder.
set -u
build=$1
source "$(dirname "$0")/script-prefix.sh"
chm=$(mktemp -d /tmp/tessaly-chm.XXXXXX)
CLEANUP=$chm
query() { wine reg query "$1" /v "$2" /reg:64 2>/dev/null | tr -d '\r'; }
dir="$WINEPREFIX/drive_c/Program Files/Halden/CorvelChg"

# The help file.
extract_chmLib "$build/CorvelChg.chm" "$chm" >/dev/null 2>&1
check "help topics in the CHM" '[ -s "$chm/2-1_chgmode.html" ] && [ -s "$chm/2-2_settings.html" ] && [ -s "$chm/toc.hhc" ] && [ -s "$chm/index.hhk" ]'

# Install.
wine msiexec /i "$(winepath -w "$build/CorvelChg.msi")" /qn >/dev/null 2>&1
check "msiexec /i succeeds" '[ $? -eq 0 ]'
check "files in Program Files" '[ -f "$dir/CorvelChg.exe" ] && [ -f "$dir/CorvelChg.chm" ]'
check "Start-menu shortcut" '[ -n "$(find "$WINEPREFIX/drive_c" -iname "Tessaly.lnk")" ]'
check "factory mode" 'query "HKLM\\Software\\Halden\\CorvelChg\\Settings" mode | grep -q "mode *REG_DWORD *0x0"'
check "level value None of CursorSpeed" 'query "HKLM\\Software\\Halden\\CorvelChg\\Settings\\CursorSpeed" None | grep -q "REG_DWORD *0xffffffff"'
check "level value Extra of DtIconSize" 'query "HKLM\\Software\\Halden\\CorvelChg\\Settings\\DtIconSize" Extra | grep -q "REG_DWORD *0x100"'
check "profile level" 'query "HKLM\\Software\\Halden\\CorvelChg\\Profiles\\1" CorvelDPI | grep -q "REG_DWORD *0x4"'

# The installed tool: an interactive start, then the sign-in run.
wine reg add 'HKCU\Control Panel\Desktop\WindowMetrics' /v AppliedDPI /t REG_DWORD /d 96 /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Halden\CorvelChg\Profiles\0' /v CorvelDPI /t REG_DWORD /d 4 /f >/dev/null 2>&1
wine "$build/tests/wine/test_helper.exe" close-main >/dev/null 2>&1 &
closer=$!
wine "C:\\Program Files\\Halden\\CorvelChg\\CorvelChg.exe" >/dev/null 2>&1
check "interactive start from Program Files" '[ $? -eq 0 ] && wait $closer'
wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v CorvelChg /d '"C:\Program Files\Halden\CorvelChg\CorvelChg.exe" /apply' /f >/dev/null 2>&1
wine "C:\\Program Files\\Halden\\CorvelChg\\CorvelChg.exe" /apply >/dev/null 2>&1
check "/apply from Program Files" '[ $? -eq 0 ] && ! query "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run" CorvelChg | grep -q CorvelChg'

# Uninstall.
wine msiexec /x "$(winepath -w "$build/CorvelChg.msi")" /qn >/dev/null 2>&1
check "msiexec /x succeeds" '[ $? -eq 0 ]'
check "files removed" '[ ! -f "$dir/CorvelChg.exe" ]'
check "factory data removed" '! query "HKLM\\Software\\Halden\\CorvelChg\\Settings" mode | grep -q REG_DWORD'
check "the user's levels stay" 'query "HKCU\\Software\\Halden\\CorvelChg\\Profiles\\0" CorvelDPI | grep -q "REG_DWORD *0x4"'

echo "installer and help: $passed passed, $failed failed"
echo "$passed passed, $failed failed"
[ $failed -eq 0 ]
