#!/usr/bin/env bash
# The policy template's choices through the real program, each written as
# Group Policy would write it, from the ADMX itself (policy_choice.py): with
# a user's own level for 設定③'s text size stored, an enforced policy wins
# over it and a recommended one does not; a user policy applies when the
# computer has none and loses to the computer's; an enabled policy with every
# row at the factory item sets nothing.
# Arguments: the build folder.
set -u
build=$1
source "$(dirname "$0")/script-prefix.sh"
work=$(mktemp -d /tmp/tessaly-policy.XXXXXX)
CLEANUP="$work"
admx=$build/policy/CorvelChg.admx

choose() {
  python3 "$(dirname "$0")/policy_choice.py" "$admx" "$work/policy.reg" "$@" &&
    wine regedit /S "$(winepath -w "$work/policy.reg")" >/dev/null 2>&1
}
clear_policies() {
  wine reg delete 'HKLM\Software\Policies\Halden' /f /reg:64 >/dev/null 2>&1
  wine reg delete 'HKCU\Software\Policies\Halden' /f >/dev/null 2>&1
}
# The text size a switch to 設定③ stores, in DPI.
dpi_of_profile3() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
  wine "$build/CorvelChg.exe" /quiet /mode 3 >/dev/null 2>&1
  local hex
  hex=$(wine reg query 'HKCU\Control Panel\Desktop' /v LogPixels 2>/dev/null | tr -d '\r' | awk '$1 == "LogPixels" {print $3}')
  [ -n "$hex" ] && printf '%d' "$hex"
}
own_level() { wine reg add 'HKCU\Software\Halden\CorvelChg\Profiles\2' /v CorvelDPI /t REG_DWORD /d "$1" /f >/dev/null 2>&1; }

wine reg add 'HKCU\Control Panel\Desktop\WindowMetrics' /v AppliedDPI /t REG_DWORD /d 96 /f >/dev/null 2>&1
# Each line: what, the computer's choices, the user's choices, the DPI a
# switch to 設定③ stores.
run_cases() {
  while IFS='|' read -r what computer user expected; do
    clear_policies
    [ -n "$computer" ] && choose $computer
    [ -n "$user" ] && choose --user $user
    check "$what" '[ "$(dpi_of_profile3)" = "$expected" ]'
  done
}

own_level 4  # 中: 120 DPI
# The drop-downs' items: 0 the factory setting, then 小 96, 中 120, 大 144, 特大 192.
run_cases <<'CASES'
no policy: the user's own level|||120
enforced, computer: wins over the user's own|Profile3:4||192
recommended, computer: the user's own wins|Profile3_Recommended:4||120
enforced, computer and user: the computer's wins|Profile3:4|Profile3:1|192
enforced, user: applies when the computer sets none|Profile3:0|Profile3:1|96
enabled with every row at the factory item: nothing enforced|Profile3:0||120
CASES
check "an enabled policy reads back as enabled (its own value)" \
  'wine reg query "HKLM\Software\Policies\Halden\CorvelChg\Profiles\2" /v Enabled /reg:64 2>/dev/null | tr -d "\r" | grep -q "Enabled *REG_DWORD *0x1"'

# Without a level of their own, a user takes the recommended one: the
# computer's before the user's.
wine reg delete 'HKCU\Software\Halden\CorvelChg\Profiles\2' /v CorvelDPI /f >/dev/null 2>&1
run_cases <<'CASES'
recommended, user: applies to a user without a level of their own||Profile3_Recommended:3|144
recommended, computer before user|Profile3_Recommended:2|Profile3_Recommended:3|120
CASES
clear_policies

echo "policies: $passed passed, $failed failed"
echo "$passed passed, $failed failed"
[ $failed -eq 0 ]
