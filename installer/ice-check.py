#!/usr/bin/env python3
"""Applies the conditions of three of Windows Installer's validators to a
package's tables, as msiinfo exports them; no ICE validator runs here.

ICE38  a component installed into a folder of the user profile has a
       registry key path under HKCU.
ICE43  a component with a shortcut that is not advertised, in such a folder,
       has a registry key path under HKCU.
ICE57  no component mixes per-user and per-machine data (registry values,
       files, non-advertised shortcuts, a folder as key path).

The folders of the user profile are those Windows Installer resolves in it
(Microsoft's "System Folder Properties"); the Start menu and the desktop
count, whatever ALLUSERS says, as the validators count them.

Usage: ice-check.py PACKAGE.msi   (exit 1 and one line a fault when any)
"""
import subprocess
import sys

PROFILE_FOLDERS = {
    'AdminToolsFolder', 'AppDataFolder', 'DesktopFolder', 'FavoritesFolder', 'LocalAppDataFolder',
    'MyPicturesFolder', 'NetHoodFolder', 'PersonalFolder', 'PrintHoodFolder', 'ProgramMenuFolder',
    'RecentFolder', 'SendToFolder', 'StartMenuFolder', 'StartupFolder', 'TemplateFolder',
}
# Registry.Root: -1 HKMU (either), 0 HKCR, 1 HKCU, 2 HKLM, 3 HKU.
HKCU = 1
EITHER = -1
# Component.Attributes: the key path is a Registry row.
REGISTRY_KEY_PATH = 0x4


def table(package, name):
    """The rows of a table as dicts; none when the package lacks it."""
    result = subprocess.run(['msiinfo', 'export', package, name], capture_output=True, text=True)
    if result.returncode != 0:
        return []
    lines = result.stdout.replace('\r', '').split('\n')
    columns = lines[0].split('\t')
    return [dict(zip(columns, line.split('\t'))) for line in lines[3:] if line]


def in_profile(directory, parents):
    """Whether a folder is, or lies under, a folder of the user profile."""
    seen = set()
    while directory and directory not in seen:
        if directory in PROFILE_FOLDERS:
            return True
        seen.add(directory)
        directory = parents.get(directory, '')
    return False


def check(package):
    parents = {row['Directory']: row['Directory_Parent'] for row in table(package, 'Directory')}
    features = {row['Feature'] for row in table(package, 'Feature')}
    registry = table(package, 'Registry')
    roots = {row['Registry']: int(row['Root']) for row in registry}
    faults = []
    for component in table(package, 'Component'):
        name = component['Component']
        attributes = int(component['Attributes'] or 0)
        key = component['KeyPath']
        key_root = roots.get(key) if attributes & REGISTRY_KEY_PATH else None
        hkcu_key = key_root == HKCU
        profile = in_profile(component['Directory_'], parents)
        shortcuts = [row for row in table(package, 'Shortcut') if row['Component_'] == name]
        plain = [row for row in shortcuts if row['Target'] not in features]  # not advertised
        if profile and not hkcu_key:
            faults.append(f'ICE38: component {name} installs to the user profile but its key path is not an '
                          'HKCU registry value')
        if any(in_profile(row['Directory_'], parents) for row in plain) and not hkcu_key:
            faults.append(f'ICE43: component {name} has a non-advertised shortcut but its key path is not an '
                          'HKCU registry value')

        # ICE57: what the component holds, per user or per machine.
        per_user, per_machine = [], []
        for row in registry:
            if row['Component_'] != name:
                continue
            root = int(row['Root'])
            if root == HKCU:
                per_user.append(f'registry {row["Registry"]}')
            elif root != EITHER:
                per_machine.append(f'registry {row["Registry"]}')
        for row in table(package, 'File'):
            if row['Component_'] == name:
                (per_user if profile else per_machine).append(f'file {row["File"]}')
        for row in plain:
            (per_user if in_profile(row['Directory_'], parents) else per_machine).append(
                f'shortcut {row["Shortcut"]}')
        if not key and not (attributes & REGISTRY_KEY_PATH):
            (per_user if profile else per_machine).append('folder key path')
        if per_user and per_machine:
            faults.append(f'ICE57: component {name} mixes per-user data ({", ".join(per_user)}) with '
                          f'per-machine data ({", ".join(per_machine)})')
    return faults


def main():
    if len(sys.argv) != 2:
        sys.exit('usage: ice-check.py PACKAGE.msi')
    faults = check(sys.argv[1])
    for fault in faults:
        print(fault)
    sys.exit(1 if faults else 0)


if __name__ == '__main__':
    main()
