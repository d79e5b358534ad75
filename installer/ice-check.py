#!/usr/bin/env python3
"""Applies the conditions of three of Windows Installer's validators to a
package's tables, as msiinfo exports them; no ICE validator runs here.

ICE38  a component installed into a folder of the user profile has a
       registry key path under HKCU.
ICE43  a component with a shortcut that is not advertised, in such a folder,
       has as key path a registry value under HKCU that is its own (a value
       of another component is written only when that one is installed).
ICE57  no component mixes per-user and per-machine data (registry values,
       files, non-advertised shortcuts, a folder as key path), nor data that
       can be either (root -1, HKMU) with data that is one of them.

The folders of the user profile are those Windows Installer resolves in it
(Microsoft's "System Folder Properties"); the Start menu and the desktop
count, whatever ALLUSERS says, as the validators count them.

Usage: ice-check.py PACKAGE.msi
Exit 0 when it follows them; 1 with one line a fault; 2 when msiinfo cannot
read the package (a package read as empty would follow every rule).
"""
import re
import subprocess
import sys

PROFILE_FOLDERS = {
    'AdminToolsFolder', 'AppDataFolder', 'DesktopFolder', 'FavoritesFolder', 'LocalAppDataFolder',
    'MyPicturesFolder', 'NetHoodFolder', 'PersonalFolder', 'PrintHoodFolder', 'ProgramMenuFolder',
    'RecentFolder', 'SendToFolder', 'StartMenuFolder', 'StartupFolder', 'TemplateFolder',
}
# Registry.Root: -1 HKMU (either), 0 HKCR, 1 HKCU, 2 HKLM, 3 HKU. ICE43 would
# also take -1 as key path; in this per-machine package that is HKLM, where a
# shortcut reaches only the first user, so HKCU alone counts here.
HKCU = 1
USER, MACHINE, EITHER = 'per-user', 'per-machine', 'either per-user or per-machine'
ROOT_KIND = {-1: EITHER, 1: USER}  # every other root is the machine's
# Component.Attributes: the key path is a Registry row.
REGISTRY_KEY_PATH = 0x4
TABLES = ('Component', 'Directory', 'Feature', 'File', 'Registry', 'Shortcut')
REQUIRED = {'Component', 'Directory', 'Feature'}  # every installable package has them


GLIB_PREFIX = re.compile(r'^.*\*\*:\s*(\d+:\d+:[\d.]+:\s*)?')


class Unreadable(Exception):
    pass


def msiinfo(*args):
    """msiinfo's output; Unreadable with its complaint when it fails."""
    try:
        result = subprocess.run(['msiinfo', *args], capture_output=True, text=True)
    except OSError as error:
        raise Unreadable(f'msiinfo: {error}') from error
    if result.returncode != 0:
        # GLib's "** (msiinfo:PID): WARNING **: TIME: text": the text says it.
        complaint = [GLIB_PREFIX.sub('', line).strip() for line in result.stderr.splitlines() if line.strip()]
        raise Unreadable(complaint[-1] if complaint else f'msiinfo {args[0]} failed')
    return result.stdout.replace('\r', '')


def rows(text):
    """The rows of an exported table as dicts (names, types, key, then rows)."""
    lines = text.split('\n')
    columns = lines[0].split('\t')
    return [dict(zip(columns, line.split('\t'))) for line in lines[3:] if line]


def read(package):
    """The tables the rules read, by name; a table the package lacks is empty."""
    present = set(msiinfo('tables', package).split())
    missing = sorted(REQUIRED - present)
    if missing:
        raise Unreadable(f'no {", ".join(missing)} table')
    return {name: rows(msiinfo('export', package, name)) if name in present else [] for name in TABLES}


def in_profile(directory, parents):
    """Whether a folder is, or lies under, a folder of the user profile."""
    seen = set()
    while directory and directory not in seen:
        if directory in PROFILE_FOLDERS:
            return True
        seen.add(directory)
        directory = parents.get(directory, '')
    return False


def key_path_row(component, registry):
    """The component's key path as a Registry row, or why it is none (the
    cases of Microsoft's ICE43 page)."""
    key = component['KeyPath']
    if not int(component['Attributes'] or 0) & REGISTRY_KEY_PATH:
        return None, 'is not a registry value'
    if not key:
        return None, 'is null'
    row = registry.get(key)
    if row is None:
        return None, f'{key} is no row of the Registry table'
    return row, None


def own_hkcu_fault(component, registry):
    """Why the component's key path is not an HKCU value of its own, or None."""
    row, why = key_path_row(component, registry)
    if row is None:
        return why
    if int(row['Root']) != HKCU:
        return f'{row["Registry"]} is not under HKCU'
    if row['Component_'] != component['Component']:
        return f'{row["Registry"]} belongs to component {row["Component_"]}'
    return None


def holdings(component, tables, parents, plain):
    """What the component holds, as (kind, label): its registry values, files,
    non-advertised shortcuts and a folder as key path."""
    name = component['Component']
    profile = in_profile(component['Directory_'], parents)
    folder_kind = USER if profile else MACHINE
    held = [(ROOT_KIND.get(int(row['Root']), MACHINE), f'registry {row["Registry"]}')
            for row in tables['Registry'] if row['Component_'] == name]
    held += [(folder_kind, f'file {row["File"]}') for row in tables['File'] if row['Component_'] == name]
    held += [(USER if in_profile(row['Directory_'], parents) else MACHINE, f'shortcut {row["Shortcut"]}')
             for row in plain]
    if not component['KeyPath'] and not int(component['Attributes'] or 0) & REGISTRY_KEY_PATH:
        held.append((folder_kind, 'folder key path'))
    return held


def listed(labels):
    """A few labels, and how many more: a component may hold hundreds."""
    more = f' and {len(labels) - 3} more' if len(labels) > 3 else ''
    return ', '.join(labels[:3]) + more


def ice57(name, held):
    """Microsoft's ICE57 page: per-user beside per-machine data is a fault,
    and so is data that can be either beside a per-machine key path or a key
    path that can be either beside per-user data; either beside any data
    fixed to one side is taken as a fault, as it differs in one of the two."""
    of = {kind: [label for k, label in held if k == kind] for kind in (USER, MACHINE, EITHER)}
    faults = []
    if of[USER] and of[MACHINE]:
        faults.append(f'ICE57: component {name} mixes per-user data ({listed(of[USER])}) with '
                      f'per-machine data ({listed(of[MACHINE])})')
    if of[EITHER] and (of[USER] or of[MACHINE]):
        faults.append(f'ICE57: component {name} mixes data that can be either per-user or per-machine '
                      f'({listed(of[EITHER])}) with data that cannot ({listed(of[USER] + of[MACHINE])})')
    return faults


def check_component(component, tables, parents, features, registry):
    name = component['Component']
    plain = [row for row in tables['Shortcut']
             if row['Component_'] == name and row['Target'] not in features]  # not advertised
    faults = []
    key_row, _ = key_path_row(component, registry)
    hkcu_key = key_row is not None and int(key_row['Root']) == HKCU
    if in_profile(component['Directory_'], parents) and not hkcu_key:
        faults.append(f'ICE38: component {name} installs to the user profile but its key path is not an '
                      'HKCU registry value')
    if any(in_profile(row['Directory_'], parents) for row in plain):
        why = own_hkcu_fault(component, registry)
        if why:
            faults.append(f'ICE43: component {name} has a non-advertised shortcut but its key path {why}; it '
                          'must be an HKCU registry value of its own')
    return faults + ice57(name, holdings(component, tables, parents, plain))


def check(package):
    tables = read(package)
    parents = {row['Directory']: row['Directory_Parent'] for row in tables['Directory']}
    features = {row['Feature'] for row in tables['Feature']}
    registry = {row['Registry']: row for row in tables['Registry']}
    faults = []
    for component in tables['Component']:
        faults += check_component(component, tables, parents, features, registry)
    return faults


def main():
    if len(sys.argv) != 2:
        print('usage: ice-check.py PACKAGE.msi', file=sys.stderr)
        sys.exit(2)
    try:
        faults = check(sys.argv[1])
    except Unreadable as error:
        print(f'cannot read {sys.argv[1]}: {error}')
        sys.exit(2)
    for fault in faults:
        print(fault)
    sys.exit(1 if faults else 0)


if __name__ == '__main__':
    main()
