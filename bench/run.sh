#!/usr/bin/env bash
# Measures the tool against the floor of its runtime, side by side in one run
# (interleaved, median of the rounds with min and max), under Wine with one
# wineserver kept running for the whole measurement. Prints one table. It
# measures and ends only the processes it started, and removes its prefix.
#   bench/run.sh [rounds]     (default 15)
source "$(dirname "$0")/../scripts/fixed-layout.sh"
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
rounds=${1:-15}
"$top/scripts/setup.sh" || exit 1
"$top/scripts/build.sh" win64 >/dev/null || exit 1
unset DISPLAY
source "$top/scripts/display.sh"
build=$top/build/win64
export WINEPREFIX=$(mktemp -d /tmp/tessaly-bench.XXXXXX) WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$top/scripts/wine-prefix.sh" "$WINEPREFIX"
started=""  # what runs in the background now, by process id
cleanup() {
  trap - EXIT INT TERM
  [ -n "$started" ] && kill $started 2>/dev/null
  wineserver -k 2>/dev/null  # the persistent server of this run's own prefix
  rm -rf "$WINEPREFIX"
  [ -n "${TESSALY_XVFB_PID:-}" ] && kill "$TESSALY_XVFB_PID" 2>/dev/null
}
trap cleanup EXIT
trap 'cleanup; exit 130' INT
trap 'cleanup; exit 143' TERM
wineserver -p
harness() { wine "$build/bench/bench_harness.exe" "$@" 2>/dev/null | tr -d '\r'; }
tool=$(winepath -w "$build/CorvelChg.exe")
dialog=$(winepath -w "$build/bench/baseline_dialog.exe")
nothing=$(winepath -w "$build/bench/baseline_exit.exe")
sign_in=$(winepath -w "$build/bench/baseline_sign_in.exe")
helper=$build/tests/wine/test_helper.exe
wine reg add 'HKCU\Control Panel\Desktop\WindowMetrics' /v AppliedDPI /t REG_DWORD /d 96 /f >/dev/null 2>&1
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
runkey='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'

declare -A samples
add() { samples[$1]+="$2 "; }
# Peak resident size of the program started here (wine runs it in the very
# process it was started as), once its window (class $2) is up and painted.
peak_kb() {
  wine "$1" >/dev/null 2>&1 &
  started=$!
  wine "$helper" wait-shown "$2" >/dev/null 2>&1
  grep VmHWM "/proc/$started/status" 2>/dev/null | awk '{print $2}'
  kill "$started" 2>/dev/null
  wait "$started" 2>/dev/null
  started=""
}

harness window "$tool" MainWindowClass Tessaly >/dev/null   # warm the file cache
harness window "$dialog" '#32770' Baseline >/dev/null
for i in $(seq "$rounds"); do
  add start "$(harness window "$tool" MainWindowClass Tessaly)"
  add start_floor "$(harness window "$dialog" '#32770' Baseline)"
  wine reg add "$runkey" /v CorvelChg /d x /f >/dev/null 2>&1
  add apply "$(harness process "\"$tool\" /apply")"
  wine reg add "$runkey" /v CorvelChg /d x /f >/dev/null 2>&1
  add apply_job "$(harness process "\"$sign_in\"")"
  add apply_floor "$(harness process "\"$nothing\"")"
  # The sign-in check with keeping off, as every user's sign-in starts it.
  add keep_off "$(harness process "\"$tool\" /keep")"
  # The quiet switch, with a desktop view for its icon size; the DPI goes
  # back to 96 so that the next round starts where this one did.
  wine "$helper" desktop-view >/dev/null 2>&1 &
  started=$!
  wine "$helper" wait-window Progman >/dev/null 2>&1
  add quiet "$(harness process "\"$tool\" /quiet /mode 2")"
  wait "$started"
  started=""
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
  wine "$helper" desktop-view >/dev/null 2>&1 &
  started=$!
  wine "$helper" wait-window Progman >/dev/null 2>&1
  add switch "$(harness switch "$tool")"
  wait "$started"
  started=""
done
# The sign-in check with keeping on and nothing to put back: after a switch
# to 設定① at the DPI in effect, with a desktop view up, as at a sign-in.
# Its floor is the sign-in run's job and the check's second look.
desktop_view() {
  wine "$helper" desktop-view >/dev/null 2>&1 &
  started=$!
  wine "$helper" wait-window Progman >/dev/null 2>&1
}
wine reg add 'HKCU\Software\Halden\CorvelChg\Settings' /v KeepProfile /t REG_DWORD /d 1 /f >/dev/null 2>&1
desktop_view
wine "$build/CorvelChg.exe" /quiet /mode 1 >/dev/null 2>&1
wait "$started"
started=""
for i in $(seq "$rounds"); do
  desktop_view
  add keep_on "$(harness process "\"$tool\" /keep")"
  kill "$started" 2>/dev/null
  wait "$started" 2>/dev/null
  started=""
done
for s in ${samples[apply_job]}; do add keep_floor "$(awk -v s="$s" 'BEGIN {printf "%.2f", s + 3000}')"; done

for i in $(seq 5); do
  peak_kb "$build/CorvelChg.exe" MainWindowClass > "$WINEPREFIX/peak"; add memory "$(cat "$WINEPREFIX/peak")"
  peak_kb "$build/bench/baseline_dialog.exe" '#32770' > "$WINEPREFIX/peak"; add memory_floor "$(cat "$WINEPREFIX/peak")"
done

stats() { echo "${samples[$1]}" | tr ' ' '\n' | grep -E '^[0-9.]+$' | sort -g | awk '{a[NR]=$1} END {m=(NR%2)?a[(NR+1)/2]:(a[NR/2]+a[NR/2+1])/2; printf "%s %s %s %d", m, a[1], a[NR], NR}'; }
row() {  # name, key, floor key or fixed floor, unit, target ("-" for none)
  read -r m lo hi n <<<"$(stats "$2")"
  if [[ "$3" =~ ^[0-9.]+$ ]]; then fm=$3; flo=$3; fhi=$3; else read -r fm flo fhi _ <<<"$(stats "$3")"; fi
  ratio=$(awk -v a="$m" -v b="$fm" 'BEGIN {printf "%.2f", a/b}')
  if [ "$5" = - ]; then
    target="none"
  else
    target="≤ $5, $(awk -v r="$ratio" -v t="$5" 'BEGIN {print (r <= t) ? "met" : "NOT met"}')"
  fi
  printf "| %s | %s %s (%s–%s) | %s %s (%s–%s) | %s | %s | %s |\n" "$1" "$m" "$4" "$lo" "$hi" "$fm" "$4" "$flo" "$fhi" "$ratio" "$target" "$n"
}

echo "| Measure | Tool: median (min–max) | Floor: median (min–max) | Ratio | Target | Rounds |"
echo "|---|---|---|---|---|---|"
row "Start to main window" start start_floor ms 1.10
row "Sign-in run (/apply), against a program doing its Windows work" apply apply_job ms 1.10
row "Sign-in run (/apply), against a program doing nothing (context)" apply apply_floor ms -
row "Quiet switch (/quiet /mode 2), against the sign-in run's job floor" quiet apply_job ms -
row "Switch, click to end, against the 1750 ms of pauses" switch 1750 ms 1.15
row "Sign-in check (/keep), keeping off, against a program doing nothing" keep_off apply_floor ms -
row "Sign-in check, keeping on, nothing to put back, against the sign-in run's job and the 3000 ms second look" keep_on keep_floor ms -
row "Peak resident size, main window open" memory memory_floor KiB 1.50

exe=$build/CorvelChg.exe
size=$(stat -c %s "$exe")
code=0; rsrc=0
while read -r name hex; do
  if [ "$name" = .rsrc ]; then rsrc=$((16#$hex)); else code=$((code + 16#$hex)); fi
done < <(x86_64-w64-mingw32-objdump -h "$exe" | awk '$2 ~ /^\./ {print $2, $3}')
dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name/ {print $3}' | sort -u | tr '\n' ' ')
foreign=$(echo "$dlls" | tr ' ' '\n' | grep -iE 'libstdc|libgcc|winpthread|mingw' | tr '\n' ' ')
echo
echo "Size of CorvelChg.exe: $size bytes ($((size / 1024)) KiB; code and data $code, resources $rsrc); target ≤ 1048576: $([ "$size" -le 1048576 ] && echo met || echo 'NOT met')"
echo "Imports: $dlls"
echo "Non-system imports: ${foreign:-none}"
echo "Machine: $(nproc) cores, $(awk '/MemTotal/ {printf "%.0f GiB", $2/1048576}' /proc/meminfo), $(wine --version), $(uname -r)"
