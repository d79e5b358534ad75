#!/usr/bin/env python3
"""A .reg file (UTF-16, for "wine regedit /S") with the values that Group
Policy writes when a policy of the template is enabled with the last item of
every drop-down chosen: read from the ADMX itself, so that a wrong key or
value name there makes the tool miss them.

    policy_choice.py ADMX OUTPUT.reg POLICY [POLICY...]
"""
import sys
import xml.etree.ElementTree as ET

NS = {'p': 'http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions'}


def main():
    admx, output, names = sys.argv[1], sys.argv[2], sys.argv[3:]
    root = ET.parse(admx).getroot()
    values = {}  # key -> {name: number}
    for policy in root.findall('p:policies/p:policy', NS):
        if policy.get('name') not in names:
            continue
        key = policy.get('key')
        for enum in policy.findall('p:elements/p:enum', NS):
            chosen = enum.findall('p:item', NS)[-1]
            values.setdefault(key, {})[enum.get('valueName')] = int(chosen.find('p:value/p:decimal', NS).get('value'))
            for extra in chosen.findall('p:valueList/p:item', NS):
                number = int(extra.find('p:value/p:decimal', NS).get('value'))
                values.setdefault(extra.get('key'), {})[extra.get('valueName')] = number
    lines = ['Windows Registry Editor Version 5.00', '']
    for key, named in values.items():
        lines.append(f'[HKEY_LOCAL_MACHINE\\{key}]')
        lines += [f'"{name}"=dword:{number:08x}' for name, number in named.items()]
        lines.append('')
    with open(output, 'w', encoding='utf-16') as f:
        f.write('\r\n'.join(lines) + '\r\n')


if __name__ == '__main__':
    main()
