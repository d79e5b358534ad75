#!/usr/bin/env bash
# Gives the prefix in WINEPREFIX another screen: the virtual desktop's size
# (as tall as the work area Windows leaves above its taskbar, since Wine's
# desktop has none) and the DPI in effect. Both are read when the prefix's
# server starts, so the server is ended here; the next program starts it.
#   scripts/wine-layout.sh 1366x696 144
source "$(dirname "$0")/fixed-layout.sh"
set -eu
size=$1
dpi=$2
export WINEDEBUG=-all
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$size" /f >/dev/null 2>&1
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
wine reg add 'HKCU\Control Panel\Desktop\WindowMetrics' /v AppliedDPI /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
wineserver -k 2>/dev/null || true
wineserver -w
