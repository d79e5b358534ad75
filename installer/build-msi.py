#!/usr/bin/env python3
"""Builds the MSI from installer/CorvelChg.wxs with its Japanese texts.

wixl cannot store text outside ASCII (it writes it empty or crashes), so:
1. copy the WiX source with every Japanese shortcut name and registry value
   replaced by an ASCII placeholder (the element's Id);
2. build that copy with wixl;
3. give the package code page 932 and write the real texts into its
   Registry, Shortcut and LaunchCondition tables with msibuild (the last
   holds the message shown when a newer version is installed);
4. let the package replace an installed one of the same version, as a
   newer one does: wixl has no AllowSameVersionUpgrades, so the Upgrade
   row that finds older products gets the attribute that option sets,
   msidbUpgradeAttributesVersionMaxInclusive. The row that finds newer
   products keeps its VersionMin exclusive, so the same version is no
   downgrade and an older one still is;
5. give the summary's Template the package's language: wixl writes 1033
   whatever Languages says;
6. make each value of Type="expandable" a REG_EXPAND_SZ: wixl writes it
   as a plain string, and the Registry table marks an expandable one with
   the prefix "#%" (Microsoft's Registry table page).
The WiX source stays the one place where the data is written down.

Usage: build-msi.py SOURCE_DIR WORK_DIR OUTPUT.msi VERSION  (run in the
folder that holds CorvelChg.exe and CorvelChg.chm)
"""
import os
import re
import subprocess
import sys

CODEPAGE = 932
LANGUAGE = 1041
# <Shortcut Id=".." Name="..">, <RegistryValue Id=".." ... Value=".."> and
# <MajorUpgrade DowngradeErrorMessage="..">
ELEMENT = re.compile(r'<(Shortcut|RegistryValue|MajorUpgrade)\b([^>]*)>')
COLUMN = {'Shortcut': 'Name', 'RegistryValue': 'Value', 'MajorUpgrade': 'DowngradeErrorMessage'}
# The launch condition that WiX's MajorUpgrade makes for its message.
DOWNGRADE_CONDITION = 'NOT WIX_DOWNGRADE_DETECTED'
ATTRIBUTE = re.compile(r'(\w+)="([^"]*)"')
# The Upgrade row of MajorUpgrade that finds older products, and the bit
# that makes its VersionMax inclusive (Microsoft's Upgrade table page).
UPGRADE_PROPERTY = 'WIX_UPGRADE_DETECTED'
VERSION_MAX_INCLUSIVE = 0x200


def ascii_copy(text, texts):
    """The source with each non-ASCII text replaced by its element's Id."""
    def replace(match):
        kind, attributes = match.group(1), match.group(2)
        values = dict(ATTRIBUTE.findall(attributes))
        column = COLUMN[kind]
        value = values.get(column, '')
        if value.isascii():
            return match.group(0)
        if kind == 'MajorUpgrade':
            values['Id'] = 'DOWNGRADE'
        if 'Id' not in values:
            sys.exit(f'build-msi: a {kind} with Japanese text needs an Id: {value}')
        placeholder = 'TESSALY' if kind == 'Shortcut' else values['Id']
        texts[(kind, values['Id'])] = value
        return match.group(0).replace(f'{column}="{value}"', f'{column}="{placeholder}"')
    return ELEMENT.sub(replace, text)


def localize(msi, work, texts):
    """Code page 932 first, so that the texts below are stored in it."""
    force = os.path.join(work, '_ForceCodepage.idt')
    with open(force, 'wb') as f:
        f.write(f'\r\n\r\n{CODEPAGE}\t_ForceCodepage\r\n'.encode('ascii'))
    subprocess.run(['msibuild', msi, '-i', force], check=True)
    for (kind, key), text in sorted(texts.items()):
        text.encode('cp932')  # fails at once for a text the code page cannot hold
        if "'" in text:
            sys.exit(f"build-msi: a text with ' cannot be written: {text}")
        if kind == 'Shortcut':
            # A shortcut's file name is "short|long"; the short one stays ASCII.
            query = f"UPDATE Shortcut SET Name='TESSALY|{text}' WHERE Shortcut='{key}'"
        elif kind == 'MajorUpgrade':
            query = f"UPDATE LaunchCondition SET Description='{text}' WHERE Condition='{DOWNGRADE_CONDITION}'"
        else:
            query = f"UPDATE Registry SET Value='{text}' WHERE Registry='{key}'"
        subprocess.run(['msibuild', msi, '-q', query], check=True)


def allow_same_version(msi, work):
    """Attributes is part of the Upgrade table's key, which UPDATE cannot
    change: the table is exported, changed and imported whole."""
    lines = subprocess.run(['msiinfo', 'export', msi, 'Upgrade'], check=True, capture_output=True,
                           text=True).stdout.splitlines()
    header, rows = lines[:3], [line.split('\t') for line in lines[3:] if line]
    older = [row for row in rows if row[-1] == UPGRADE_PROPERTY]
    if len(older) != 1:
        sys.exit(f'build-msi: expected one Upgrade row for {UPGRADE_PROPERTY}, found {len(older)}')
    older[0][4] = str(int(older[0][4]) | VERSION_MAX_INCLUSIVE)
    table = os.path.join(work, 'Upgrade.idt')
    with open(table, 'w', encoding='ascii', newline='\r\n') as f:
        f.write('\n'.join(header + ['\t'.join(row) for row in rows]) + '\n')
    subprocess.run(['msibuild', msi, '-i', table], check=True)


def expandable_values(text):
    """(Id, Value) of each RegistryValue of Type="expandable"."""
    values = []
    for match in ELEMENT.finditer(text):
        attributes = dict(ATTRIBUTE.findall(match.group(2)))
        if match.group(1) != 'RegistryValue' or attributes.get('Type') != 'expandable':
            continue
        if 'Id' not in attributes:
            sys.exit(f'build-msi: an expandable value needs an Id: {attributes.get("Name")}')
        values.append((attributes['Id'], attributes['Value']))
    return values


def mark_expandable(msi, values):
    for key, value in values:
        if "'" in value:
            sys.exit(f"build-msi: a value with ' cannot be written: {value}")
        subprocess.run(['msibuild', msi, '-q', f"UPDATE Registry SET Value='#%{value}' WHERE Registry='{key}'"],
                       check=True)


def summary_language(msi):
    """Template is "platform;language"; the other summary fields stay."""
    info = subprocess.run(['msiinfo', 'suminfo', msi], check=True, capture_output=True, text=True).stdout
    fields = dict(line.split(': ', 1) for line in info.splitlines() if ': ' in line)
    platform = fields['Template'].split(';')[0]
    subprocess.run(['msibuild', msi, '-s', fields['Subject'], fields['Author'], f'{platform};{LANGUAGE}',
                    fields['Revision number (UUID)']], check=True)


def main():
    source, work, output, version = sys.argv[1:5]
    os.makedirs(work, exist_ok=True)
    texts = {}
    expandable = []
    for name in ('CorvelChg.wxs', 'FactoryData.wxi'):
        with open(os.path.join(source, name), encoding='utf-8') as f:
            original = f.read()
        expandable += expandable_values(original)
        copy = ascii_copy(original, texts)
        with open(os.path.join(work, name), 'w', encoding='utf-8') as f:
            f.write(copy)
    subprocess.run(['wixl', '-a', 'x64', '-D', f'Version={version}', '-I', work, '-o', output,
                    os.path.join(work, 'CorvelChg.wxs')], check=True)
    localize(output, work, texts)
    mark_expandable(output, expandable)
    allow_same_version(output, work)
    summary_language(output)


if __name__ == '__main__':
    main()
