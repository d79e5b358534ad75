#!/usr/bin/env bash
# The package against the conditions of ICE38, ICE43 and ICE57
# (installer/ice-check.py): the built MSI passes, and copies with the faults
# those validators report, or that msiinfo cannot read, are caught.
#   installer_rules_test.sh BUILD_DIR
set -u
build=$1
check_py="$(dirname "$0")/../../installer/ice-check.py"
work=$(mktemp -d /tmp/tessaly-ice.XXXXXX)
trap 'rm -rf "$work"' EXIT
trap 'exit 129' HUP
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

# The shortcut's key path an HKCU value of another component (the last case
# of Microsoft's ICE43 page): written only when that one is installed.
cp "$build/CorvelChg.msi" "$work/foreign.msi"
key=$(msiinfo export "$work/foreign.msi" Component | tr -d '\r' | awk -F'\t' '$1 == "Shortcut" {print $6}')
msibuild "$work/foreign.msi" -q 'INSERT INTO `Component` (`Component`, `ComponentId`, `Directory_`, `Attributes`, `KeyPath`)
  VALUES '"('Elsewhere', '{9E1D2C3B-4A59-4687-9586-A4B3C2D1E0F9}', 'TARGETDIR', 260, '$key')"
msibuild "$work/foreign.msi" -q "UPDATE Registry SET Component_='Elsewhere' WHERE Component_='Shortcut'"
python3 "$check_py" "$work/foreign.msi" > "$work/foreign.txt"
check "a key path of another component fails ICE43 alone" '[ $? -eq 1 ] &&
  grep -q "^ICE43: component Shortcut .* belongs to component Elsewhere" "$work/foreign.txt" &&
  [ "$(wc -l < "$work/foreign.txt")" -eq 1 ]'

# A value that can be either per-user or per-machine (root -1) beside the
# factory data's per-machine key path, and the shortcut's key path made one
# beside its per-user shortcut: the two cases of Microsoft's ICE57 page.
cp "$build/CorvelChg.msi" "$work/either.msi"
msibuild "$work/either.msi" -q 'INSERT INTO `Registry` (`Registry`, `Root`, `Key`, `Name`, `Value`, `Component_`)
  VALUES '"('either', -1, 'Software\\Halden', 'Either', '#1', 'FactoryData')"
python3 "$check_py" "$work/either.msi" > "$work/either.txt"
check "a value of either root beside per-machine data fails ICE57 alone" '[ $? -eq 1 ] &&
  grep -q "^ICE57: component FactoryData .*either.*(registry either)" "$work/either.txt" &&
  [ "$(wc -l < "$work/either.txt")" -eq 1 ]'
cp "$build/CorvelChg.msi" "$work/either-key.msi"
msibuild "$work/either-key.msi" -q "UPDATE Registry SET Root=-1 WHERE Component_='Shortcut'"
python3 "$check_py" "$work/either-key.msi" > "$work/either-key.txt"
check "a key path of either root beside a per-user shortcut fails ICE57" '[ $? -eq 1 ] &&
  grep -q "^ICE57: component Shortcut .*either.*(shortcut StartMenuShortcut)" "$work/either-key.txt"'

# What msiinfo cannot read fails: read as empty, it would follow every rule.
head -c 100000 "$build/CorvelChg.msi" > "$work/truncated.msi"
head -c 4096 /dev/zero > "$work/zeros.msi"
for broken in truncated zeros missing; do
  python3 "$check_py" "$work/$broken.msi" > "$work/$broken.txt"
  check "a $broken package fails" '[ $? -eq 2 ] && grep -q "^cannot read .*$broken.msi: " "$work/$broken.txt"'
done
# A package without the tables every installable one has.
cp "$build/CorvelChg.msi" "$work/no-component.msi"
msibuild "$work/no-component.msi" -q 'DROP TABLE `Component`'
python3 "$check_py" "$work/no-component.msi" > "$work/no-component.txt"
check "a package without a Component table fails" '[ $? -eq 2 ] && grep -q "no Component table" "$work/no-component.txt"'

# The summary speaks the package's language.
check "the summary's language is 1041" 'msiinfo suminfo "$build/CorvelChg.msi" | grep -qx "Template: x64;1041"'

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
