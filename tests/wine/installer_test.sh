#!/usr/bin/env bash
# The installer and the help file, checked with independent readers: msiexec
# installs, "reg query" shows the factory data in the 64-bit view, the
# installed tool runs from Program Files and follows a policy set through the
# policy template, uninstalling removes what the installer wrote and leaves
# the user's levels; extract_chmLib opens the help.
# Arguments: the build folder.
set -u
build=$1
source "$(dirname "$0")/script-prefix.sh"
chm=$(mktemp -d /tmp/tessaly-chm.XXXXXX)
exports=$(mktemp -d /tmp/tessaly-reg.XXXXXX)
rebuild=$(mktemp -d /tmp/tessaly-msi.XXXXXX)
CLEANUP="$chm $exports $rebuild"
query() { wine reg query "$1" /v "$2" /reg:64 2>/dev/null | tr -d '\r'; }
dir="$WINEPREFIX/drive_c/Program Files/Halden/CorvelChg"

# The help file.
extract_chmLib "$build/CorvelChg.chm" "$chm" >/dev/null 2>&1
check "help topics in the CHM" '[ -s "$chm/2-1_chgmode.html" ] && [ -s "$chm/2-2_settings.html" ] && [ -s "$chm/toc.hhc" ] && [ -s "$chm/index.hhk" ]'
# The viewer reads the title, contents and index in code page 932.
# #SYSTEM also holds binary fields (a time stamp among them): only its title need decode.
cp932() { python3 -c 'import sys; sys.stdout.write(open(sys.argv[1], "rb").read().decode("cp932", sys.argv[2]))' "$1" "${2:-strict}" 2>/dev/null; }
check "CHM title in code page 932" 'cp932 "$chm/#SYSTEM" replace | grep -aq "Tessaly ヘルプ"'
check "contents and index in code page 932" 'cp932 "$chm/toc.hhc" | grep -q "表示の切り替え" && cp932 "$chm/index.hhk" | grep -q "詳細設定"'
check "topics declare code page 932" 'cp932 "$chm/2-1_chgmode.html" | grep -q "charset=shift_jis"'
mkdir "$chm/bad" && cp "$(dirname "$0")/../../help/"* "$chm/bad/" && printf '<p>😀</p>\n' >> "$chm/bad/2-2_settings.html"
check "a character outside code page 932 stops the help build" '! python3 "$(dirname "$0")/../../help/build-chm.py" "$chm/bad" "$chm/work" "$chm/bad.chm" 2>"$chm/err" && grep -q "2-2_settings.html, line .*U+1F600" "$chm/err"'

# Install.
wine msiexec /i "$(winepath -w "$build/CorvelChg.msi")" /qn >/dev/null 2>&1
check "msiexec /i succeeds" '[ $? -eq 0 ]'
check "files in Program Files" '[ -f "$dir/CorvelChg.exe" ] && [ -f "$dir/CorvelChg.chm" ]'
check "the policy template in Program Files" 'cmp -s "$dir/PolicyDefinitions/CorvelChg.admx" "$build/policy/CorvelChg.admx" &&
  cmp -s "$dir/PolicyDefinitions/ja-JP/CorvelChg.adml" "$build/policy/ja-JP/CorvelChg.adml" &&
  cmp -s "$dir/PolicyDefinitions/en-US/CorvelChg.adml" "$build/policy/en-US/CorvelChg.adml"'
check "the downgrade message in Japanese" 'msiinfo export "$build/CorvelChg.msi" LaunchCondition | grep -q "新しいバージョンの Tessaly がすでにインストールされています。"'
check "package code page 932" 'msiinfo export "$build/CorvelChg.msi" _ForceCodepage | grep -q "^932"'
check "Start-menu shortcut with its Japanese name" '[ -n "$(find "$WINEPREFIX/drive_c" -name "Tessaly 画面表示の切り替え.lnk")" ]'
# The names, read back in the 64-bit view as a .reg export (UTF-16).
names() {
  for m in 0 1 2; do
    rm -f "$exports/$m.reg"
    wine reg export "HKLM\\Software\\Halden\\CorvelChg\\Profiles\\$m" "$(winepath -w "$exports/$m.reg")" /reg:64 /y >/dev/null 2>&1
    iconv -f utf-16 -t utf-8 "$exports/$m.reg" 2>/dev/null | tr -d '\r' | grep '^"ProfilesName"='
  done
}
check "factory mode" 'query "HKLM\\Software\\Halden\\CorvelChg\\Settings" mode | grep -q "mode *REG_DWORD *0x0"'
check "level value None of CursorSpeed" 'query "HKLM\\Software\\Halden\\CorvelChg\\Settings\\CursorSpeed" None | grep -q "REG_DWORD *0xffffffff"'
check "level value Extra of DtIconSize" 'query "HKLM\\Software\\Halden\\CorvelChg\\Settings\\DtIconSize" Extra | grep -q "REG_DWORD *0x100"'
check "profile level" 'query "HKLM\\Software\\Halden\\CorvelChg\\Profiles\\1" CorvelDPI | grep -q "REG_DWORD *0x4"'
check "the three profile names, as REG_SZ" '[ "$(names)" = "$(printf "\"ProfilesName\"=\"%s\"\n" 設定① 設定② 設定③)" ]'

# The event source of the Application log: the package's Registry table,
# then what msiexec wrote.
source_key='HKLM\SYSTEM\CurrentControlSet\Services\EventLog\Application\Tessaly'
registry_row() { msiinfo export "$build/CorvelChg.msi" Registry | tr -d '\r' | awk -F'\t' -v n="$1" '$4 == n {print $2 "|" $3 "|" $5}'; }
check "the package marks the message file expandable (#%)" \
  '[ "$(registry_row EventMessageFile)" = "2|SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\Tessaly|#%[#CorvelChgExe]" ]'
check "the package's TypesSupported is a number" \
  '[ "$(registry_row TypesSupported)" = "2|SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\Tessaly|#7" ]'
check "the event source's message file, REG_EXPAND_SZ, is the program" \
  '[ "$(query "$source_key" EventMessageFile | sed -n "s/.*EventMessageFile *REG_EXPAND_SZ *//p")" = "C:\\Program Files\\Halden\\CorvelChg\\CorvelChg.exe" ]'
check "the event source takes errors, warnings and information" 'query "$source_key" TypesSupported | grep -q "REG_DWORD *0x7$"'

# The installed tool: an interactive start, then the sign-in run.
wine reg add 'HKCU\Control Panel\Desktop\WindowMetrics' /v AppliedDPI /t REG_DWORD /d 96 /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Halden\CorvelChg\Profiles\0' /v CorvelDPI /t REG_DWORD /d 4 /f >/dev/null 2>&1
wine "$build/tests/wine/test_helper.exe" close-main "$(winepath -w "$exports/main.txt")" >/dev/null 2>&1 &
closer=$!
wine "C:\\Program Files\\Halden\\CorvelChg\\CorvelChg.exe" >/dev/null 2>&1
check "interactive start from Program Files" '[ $? -eq 0 ] && wait $closer'
check "the main window shows the installed names" '[ "$(iconv -f utf-16le -t utf-8 "$exports/main.txt")" = "$(printf "%s\n" 設定① 設定② 設定③)" ]'
wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v CorvelChg /d '"C:\Program Files\Halden\CorvelChg\CorvelChg.exe" /apply' /f >/dev/null 2>&1
wine "C:\\Program Files\\Halden\\CorvelChg\\CorvelChg.exe" /apply >/dev/null 2>&1
check "/apply from Program Files" '[ $? -eq 0 ] && ! query "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run" CorvelChg | grep -q CorvelChg'

# The sign-in check: the MSI's Run value, as Windows runs it at every sign-in
# for every user, and the log with /CreateLog added, as the guide says.
log="$WINEPREFIX/drive_c/users/Public/CorvelChg.log"
run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
check "the MSI's Run value starts the sign-in check" \
  '[ "$(query "$run_key" CorvelChgKeep | sed -n "s/.*REG_SZ *//p")" = "\"C:\\Program Files\\Halden\\CorvelChg\\CorvelChg.exe\" /keep" ]'
check "never the per-user Run value's name" '! query "$run_key" CorvelChg | grep -q "CorvelChg *REG_SZ"'
sign_in_check() {
  rm -f "$log"
  wine "$build/tests/wine/test_helper.exe" defaults >/dev/null 2>&1
  wine "C:\\Program Files\\Halden\\CorvelChg\\CorvelChg.exe" /keep /CreateLog >/dev/null 2>&1
}
put_back() { iconv -f utf-16le -t utf-8 "$log" 2>/dev/null | grep -c "CProfileCheck::Check"; }
sign_in_check
check "keeping off: the check puts nothing back" '[ "$(put_back)" = 0 ]'
python3 "$(dirname "$0")/policy_choice.py" "$build/policy/CorvelChg.admx" "$exports/keep.reg" KeepProfile
wine regedit /S "$(winepath -w "$exports/keep.reg")" >/dev/null 2>&1
sign_in_check
check "kept by the template's policy: the window metrics are put back" \
  'iconv -f utf-16le -t utf-8 "$log" | grep -q "CProfileCheck::Check window metrics: Windows had"'
wine reg delete 'HKLM\Software\Policies\Halden' /f /reg:64 >/dev/null 2>&1
wine reg delete 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v CorvelChg /f >/dev/null 2>&1

# A policy set through the template: 設定③ with the last level of every row,
# and 設定③ as the profile of users without one, which a restore goes back to.
python3 "$(dirname "$0")/policy_choice.py" "$build/policy/CorvelChg.admx" "$exports/policy.reg" StartProfile Profile3
wine regedit /S "$(winepath -w "$exports/policy.reg")" >/dev/null 2>&1
wine "C:\\Program Files\\Halden\\CorvelChg\\CorvelChg.exe" /quiet /restore >/dev/null 2>&1
check "a restore applies the policy's profile" 'query "HKCU\\Control Panel\\Desktop" LogPixels | grep -q "REG_DWORD *0xc0" &&
  query "HKCU\\Control Panel\\Cursors" Arrow | grep -q "aero_arrow_xl.cur"'
wine reg delete 'HKLM\Software\Policies\Halden' /f /reg:64 >/dev/null 2>&1
wine "C:\\Program Files\\Halden\\CorvelChg\\CorvelChg.exe" /quiet /restore >/dev/null 2>&1
check "without the policy the factory profile is back" 'query "HKCU\\Control Panel\\Desktop" LogPixels | grep -q "REG_DWORD *0x60" &&
  query "HKCU\\Control Panel\\Cursors" Arrow | grep -q "aero_arrow.cur"'

# A machine builder's second build of the same version, with other factory
# data (profile 3 as the factory profile): it replaces the first.
products() {
  wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s /reg:64 2>/dev/null |
    tr -d '\r' | grep -c 'DisplayName *REG_SZ *Tessaly$'
}
version=$(msiinfo export "$build/CorvelChg.msi" Property | tr -d '\r' | awk -F'\t' '$1 == "ProductVersion" {print $2}')
mkdir "$rebuild/source" && cp "$(dirname "$0")/../../installer/"* "$rebuild/source/"
sed -i 's/Name="mode" Value="0"/Name="mode" Value="2"/' "$rebuild/source/FactoryData.wxi"
installer=$(cd "$(dirname "$0")/../../installer" && pwd)
(cd "$build" && python3 "$installer/build-msi.py" "$rebuild/source" "$rebuild/work" \
  "$rebuild/CorvelChg.msi" "$version") >/dev/null 2>&1
check "one product before the second build" '[ "$(products)" = 1 ]'
wine msiexec /i "$(winepath -w "$rebuild/CorvelChg.msi")" /qn >/dev/null 2>&1
check "the second build of $version installs" '[ $? -eq 0 ]'
check "one product after it" '[ "$(products)" = 1 ]'
check "its factory data" 'query "HKLM\Software\Halden\CorvelChg\Settings" mode | grep -q "mode *REG_DWORD *0x2"'
check "the Start-menu shortcut once" '[ "$(find "$WINEPREFIX/drive_c" -name "Tessaly*.lnk" | wc -l)" = 1 ]'
check "the program still there" '[ -f "$dir/CorvelChg.exe" ]'
# And back: the first build replaces the second as well.
wine msiexec /i "$(winepath -w "$build/CorvelChg.msi")" /qn >/dev/null 2>&1
check "the first build replaces the second" '[ $? -eq 0 ] && [ "$(products)" = 1 ] &&
  query "HKLM\Software\Halden\CorvelChg\Settings" mode | grep -q "mode *REG_DWORD *0x0"'

# Uninstall a build other than the one whose file is here, with the guide's
# batch file: the second build is installed again first.
wine msiexec /i "$(winepath -w "$rebuild/CorvelChg.msi")" /qn >/dev/null 2>&1
check "the second build installed again" '[ $? -eq 0 ] && [ "$(products)" = 1 ]'
# (Windows ends "msiexec /x" with another build's file with 1605; Wine's
# msiexec removes the installed build all the same, so that is not checked.)
awk '/remove-tessaly.cmd/ { named = 1 } named && /^    @echo off/ { block = 1 }
     block { if ($0 != "" && $0 !~ /^    /) exit; sub(/^    /, ""); print }' \
  "$(dirname "$0")/../../docs/administrators.md" | sed 's/$/\r/' > "$exports/remove.cmd"
check "the guide has the removal batch file" 'grep -q "msiexec /x %code%" "$exports/remove.cmd"'
wine cmd /c "$(winepath -w "$exports/remove.cmd")" >/dev/null 2>&1
check "the guide's removal removes the installed build" '[ $? -eq 0 ] && [ "$(products)" = 0 ]'
wine cmd /c "$(winepath -w "$exports/remove.cmd")" >/dev/null 2>&1
# A Linux exit status keeps the low 8 bits of 1605: 69.
check "with nothing installed it ends with 1605" '[ $? -eq $((1605 % 256)) ]'
check "files removed" '[ ! -f "$dir/CorvelChg.exe" ]'
check "factory data removed" '! query "HKLM\\Software\\Halden\\CorvelChg\\Settings" mode | grep -q REG_DWORD'
check "names removed" '[ -z "$(names)" ]'
check "shortcut removed" '[ -z "$(find "$WINEPREFIX/drive_c" -name "Tessaly*.lnk")" ]'
check "nothing starts at sign-in any more" '! query "$run_key" CorvelChgKeep | grep -q REG_SZ'
check "the event source is gone" '! wine reg query "$source_key" /reg:64 >/dev/null 2>&1'
check "the user's levels stay" 'query "HKCU\\Software\\Halden\\CorvelChg\\Profiles\\0" CorvelDPI | grep -q "REG_DWORD *0x4"'

echo "installer and help: $passed passed, $failed failed"
echo "$passed passed, $failed failed"
[ $failed -eq 0 ]
