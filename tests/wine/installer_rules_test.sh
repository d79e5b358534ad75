#!/usr/bin/env bash
# The package against the conditions of ICE38, ICE43 and ICE57
# (installer/ice-check.py): the built MSI passes, and copies with the faults
# those validators report are caught.
#   installer_rules_test.sh BUILD_DIR
set -u
build=$1
check_py="$(dirname "$0")/../../installer/ice-check.py"
work=$(mktemp -d /tmp/tessaly-ice.XXXXXX)
trap 'rm -rf "$work"' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
passed=0; failed=0
check() {
  if eval "$2"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $1"; fi
}

python3 "$check_py" "$build/CorvelChg.msi" > "$work/clean.txt"
check "the package follows ICE38, ICE43 and ICE57" '[ $? -eq 0 ] && [ ! -s "$work/clean.txt" ]'
cat "$work/clean.txt"

# The shortcut's key path under HKLM, as the first packages had it.
cp "$build/CorvelChg.msi" "$work/hklm.msi"
msibuild "$work/hklm.msi" -q "UPDATE Registry SET Root=2 WHERE Component_='Shortcut'"
python3 "$check_py" "$work/hklm.msi" > "$work/hklm.txt"
check "an HKLM key path in the Start menu fails" '[ $? -eq 1 ]'
check "ICE38 names it" 'grep -q "^ICE38: component Shortcut " "$work/hklm.txt"'
check "ICE43 names it" 'grep -q "^ICE43: component Shortcut " "$work/hklm.txt"'

# Per-machine data beside the per-user key path.
cp "$build/CorvelChg.msi" "$work/mixed.msi"
# Key and Value are words of the query language: quoted with backquotes.
msibuild "$work/mixed.msi" -q 'INSERT INTO `Registry` (`Registry`, `Root`, `Key`, `Name`, `Value`, `Component_`)
  VALUES ('"'mixed', 2, 'Software\\Halden', 'Mixed', '#1', 'Shortcut')"
python3 "$check_py" "$work/mixed.msi" > "$work/mixed.txt"
check "mixed data fails ICE57 alone" '[ $? -eq 1 ] && grep -q "^ICE57: component Shortcut " "$work/mixed.txt" &&
  ! grep -q "^ICE3\|^ICE4" "$work/mixed.txt"'

# The summary speaks the package's language.
check "the summary's language is 1041" 'msiinfo suminfo "$build/CorvelChg.msi" | grep -qx "Template: x64;1041"'

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
