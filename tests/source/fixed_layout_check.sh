#!/usr/bin/env bash
# Every shell script of the checkout that starts Wine runs with Linux's
# address randomization off: it sources scripts/fixed-layout.sh (directly
# or through the script tests' prefix) before its first start. One that
# starts Wine with randomization loses a process start now and then.
# The finder is tried on a case of each form of start, and on what is no
# start; the re-run keeps the arguments and has the personality bit set;
# an interactive shell or `bash -c` that sources it goes on, not replaced.
set -u
top=$(cd "$(dirname "$0")/../.." && pwd)
passed=0; failed=0
work=$(mktemp -d /tmp/tessaly-layout.XXXXXX)
trap 'rm -rf "$work"' EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM
check() {
  if eval "$2"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $1"; fi
}

# A start of Wine: a Wine program (wine, wine64, $WINE) with a program, a
# path or a quoted or variable argument after it, or one of Wine's own
# commands; a list of packages or `command -v wine` is no start. The
# server (wineserver) runs no Windows process and is left out.
boundary='(^|[;&|(`!{]|[[:space:]])'
word_end='([[:space:]]|$|[;&|)`])'
wine_program='(wine(64|-stable)?|"?\$\{?WINE\}?"?)'
windows_programs='(start|reg|regedit|msiexec|cmd|control|explorer|notepad|rundll32|regsvr32|taskkill|tasklist'
windows_programs+='|uninstaller|wineboot|winecfg|winepath|cscript|wscript)'
argument="([\"'\$/.~]|[^[:space:];&|<>]*(/|\\.(exe|msi|bat|cmd|com)([[:space:]]|$))|$windows_programs$word_end)"
wine_commands='(wineboot|winepath|winecfg|wineconsole|winedbg|winefile|msiexec|regedit|regsvr32)'
starts_wine="$boundary($wine_program[[:space:]]+$argument|$wine_commands$word_end)"
sources_layout='^[[:space:]]*(source|\.)[[:space:]].*(fixed-layout|script-prefix)\.sh'

# The number of the first line of FILE that matches ERE, comment lines aside.
first_line() { grep -nE "$2" "$1" | grep -vE '^[0-9]+:[[:space:]]*#' | head -1 | cut -d: -f1; }

# Why FILE starts Wine with a random layout; nothing when it does not.
layout_fault() {
  local start layout
  start=$(first_line "$1" "$starts_wine")
  [ -n "$start" ] || return 0
  layout=$(first_line "$1" "$sources_layout")
  if [ -z "$layout" ]; then
    echo "starts Wine (line $start) with a random layout"
  elif [ "$layout" -gt "$start" ]; then
    echo "starts Wine (line $start) before the fixed layout (line $layout)"
  fi
}

# The checkout's files, committed or new; in a copy without git (the Debian
# 13 run's), every file but the build's. A checkout of another owner is
# trusted for this one command.
checkout_files() {
  git -C "$top" -c safe.directory="$top" ls-files --cached --others --exclude-standard 2>/dev/null && return
  (cd "$top" && find . \( -path ./build -o -path ./.git \) -prune -o -type f -print | sed 's|^\./||')
}

# The checkout's shell scripts: by name or by first line.
shell_scripts() {
  local file
  checkout_files | while read -r file; do
    [ -f "$top/$file" ] || continue
    case $file in
      *.sh) echo "$file" ;;
      *) head -n 1 "$top/$file" | grep -qE '^#!.*[/ ](ba|da|k|z)?sh([[:space:]]|$)' && echo "$file" ;;
    esac
  done | sort -u
}

scripts=$(shell_scripts)
listed() { local s; for s in "$@"; do grep -qx "$s" <<< "$scripts" || return 1; done; }
check "the checkout's shell scripts are listed (bench/, scripts/, tests/, .ci/)" \
  'listed bench/run.sh scripts/run.sh tests/wine/sign_out_now.sh .ci/run'
for file in $scripts; do
  # This check's own cases below are text, not starts.
  [ "$file" = tests/source/fixed_layout_check.sh ] && continue
  fault=$(layout_fault "$top/$file")
  check "$file: with a fixed layout${fault:+ ($fault)}" '[ -z "$fault" ]'
done

# The finder on each form of start (caught), and on what is none (let pass).
starts=(
  'wine "$build/CorvelChg.exe"'
  "wine 'C:\\Program Files\\x.exe'"
  'wine build/win64/CorvelChg.exe /apply'
  'wine CorvelChg.exe'
  'wine $exe'
  'wine64 "$exe"'
  'wine64 build/x.exe'
  '$WINE build/x.exe'
  '"${WINE}" reg add HKCU\\x /f'
  'wine start /wait x.exe'
  'wine reg add HKCU\\x /f'
  'wine regedit /S x.reg'
  'wine msiexec /i x.msi /qn'
  'wine cmd /c exit'
  'wineboot -u'
  'x=$(winepath -w "$file")'
  'timeout 60 wine "$exe" &'
  'exec wine64 "$@"'
)
not_starts=(
  'apt-get install -y wine wine64 xvfb'
  'command -v wine >/dev/null'
  'wineserver -k 2>/dev/null'
  '# wine "$build/CorvelChg.exe"'
  'echo winery'
)
for i in "${!starts[@]}"; do
  printf '#!/usr/bin/env bash\nset -u\n%s\n' "${starts[$i]}" > "$work/start$i.sh"
  fault=$(layout_fault "$work/start$i.sh")
  check "a start is found: ${starts[$i]}" '[ -n "$fault" ]'
done
for i in "${!not_starts[@]}"; do
  printf '#!/usr/bin/env bash\nset -u\n%s\n' "${not_starts[$i]}" > "$work/none$i.sh"
  fault=$(layout_fault "$work/none$i.sh")
  check "no start is found: ${not_starts[$i]}" '[ -z "$fault" ]'
done
printf 'source "$(dirname "$0")/fixed-layout.sh"\nwine "$exe"\n' > "$work/first.sh"
printf 'wine "$exe"\nsource "$(dirname "$0")/fixed-layout.sh"\n' > "$work/late.sh"
check "a script that sources the layout first passes" '[ -z "$(layout_fault "$work/first.sh")" ]'
check "a script that starts Wine before it sources the layout fails" '[ -n "$(layout_fault "$work/late.sh")" ]'

# The re-run, from a plain layout, as a script started outside the test
# command has.
plain() { env -u TESSALY_FIXED_LAYOUT setarch "$(uname -m)" "$@"; }
probe=$work/probe.sh
printf 'source "%s/scripts/fixed-layout.sh"\necho "$(cat /proc/self/personality) $#:$1"\n' "$top" > "$probe"
read -r personality args < <(plain bash "$probe" "a b" c)
check "a script runs again with the fixed layout and its arguments (personality $personality, $args)" \
  '[ $((0x$personality & 0x0040000)) -ne 0 ] && [ "$args" = "2:a b" ]'

# A shell that has no script to run again goes on where it was.
line='source scripts/fixed-layout.sh; echo after'
after=$(cd "$top" && plain bash -c "$line" 2>/dev/null)
check "bash -c goes on after sourcing it" '[ "$after" = after ]'
after=$(cd "$top" && printf '%s\n' "$line" | plain bash --norc -i 2>/dev/null)
check "an interactive shell goes on after sourcing it" '[ "$after" = after ]'
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
