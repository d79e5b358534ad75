#!/usr/bin/env bash
# Makes a ready Wine prefix in the given folder: booted, with one virtual
# desktop shared by all its programs (window frames without a window manager,
# and test programs can find the tool's windows) and a Japanese font.
source "$(dirname "$0")/fixed-layout.sh"
set -eu
prefix=$1
mkdir -p "$prefix"
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i >/dev/null 2>&1 || true
wineserver -w
reg=$(mktemp /tmp/tessaly-reg.XXXXXX)
cat > "$reg.utf8" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x700"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"メイリオ"="Noto Sans CJK JP"
"Meiryo"="Noto Sans CJK JP"
"MS Shell Dlg"="Noto Sans CJK JP"
"MS Shell Dlg 2"="Noto Sans CJK JP"
"Tahoma"="Noto Sans CJK JP"

[HKEY_CURRENT_USER\Software\Wine]
"Version"="win10"

[HKEY_CURRENT_USER\Control Panel\Desktop\WindowMetrics]
"AppliedDPI"=dword:00000060
REG
{ printf '\xff\xfe'; iconv -f utf-8 -t utf-16le "$reg.utf8"; } > "$reg"
wine regedit /S "$(winepath -w "$reg")" >/dev/null 2>&1
wineserver -w
rm -f "$reg" "$reg.utf8"
