#!/usr/bin/env python3
"""A .reg file (UTF-16, for "wine regedit /S") with the values that Group
Policy writes when policies of the template are enabled: read from the ADMX
itself, so that a wrong key or value name there makes the tool miss them.

    policy_choice.py ADMX OUTPUT.reg [--user] POLICY[:ITEM] [POLICY[:ITEM]...]

Each drop-down of a policy gets its item number ITEM, or its last item when
it has fewer (0 is the factory item, which writes nothing; without ITEM the
last item); the policy's
enabled value goes with it. --user writes under HKEY_CURRENT_USER, as User
Configuration does; else HKEY_LOCAL_MACHINE.
"""
import sys
import xml.etree.ElementTree as ET

NS = {'p': 'http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions'}


def written(element, values):
    """The value an <item> of an enum, a valueList or the enabledList writes."""
    number = element.find('p:value/p:decimal', NS)
    if number is not None:
        values.setdefault(element.get('key'), {})[element.get('valueName')] = int(number.get('value'))


def main():
    args = sys.argv[1:]
    admx, output = args[0], args[1]
    user = '--user' in args[2:]
    choices = dict((c.split(':') + [None])[:2] for c in args[2:] if c != '--user')
    root = ET.parse(admx).getroot()
    values = {}  # key -> {name: number}
    for policy in root.findall('p:policies/p:policy', NS):
        if policy.get('name') not in choices:
            continue
        item = choices[policy.get('name')]
        key = policy.get('key')
        for enabled in policy.findall('p:enabledList/p:item', NS):
            written(enabled, values)
        switch = policy.find('p:enabledValue/p:decimal', NS)
        if switch is not None:  # a policy that is a switch of its own value
            values.setdefault(key, {})[policy.get('valueName')] = int(switch.get('value'))
        for enum in policy.findall('p:elements/p:enum', NS):
            items = enum.findall('p:item', NS)
            chosen = items[min(int(item), len(items) - 1)] if item is not None else items[-1]
            chosen.set('key', key)
            chosen.set('valueName', enum.get('valueName'))
            written(chosen, values)
            for extra in chosen.findall('p:valueList/p:item', NS):
                written(extra, values)
    hive = 'HKEY_CURRENT_USER' if user else 'HKEY_LOCAL_MACHINE'
    lines = ['Windows Registry Editor Version 5.00', '']
    for key, named in values.items():
        lines.append(f'[{hive}\\{key}]')
        lines += [f'"{name}"=dword:{number:08x}' for name, number in named.items()]
        lines.append('')
    with open(output, 'w', encoding='utf-16') as f:
        f.write('\r\n'.join(lines) + '\r\n')


if __name__ == '__main__':
    main()
