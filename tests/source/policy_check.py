#!/usr/bin/env python3
"""The Group Policy template against the ADMX rules and the tool's own tables:
it parses; one versioned namespace of its own and no other template used;
ids of letters, digits and underscores; every string and presentation it
names exists in both languages; each drop-down belongs to its enum, keeps its
order and starts with the factory item; the keys, value names and levels are
the ones the tool reads and the detail window offers; values written through
a valueList go again when the policy is disabled; enforced and recommended
policies in categories of their own, every one for computers and users, each
writing a value of its own when enabled and removing it when disabled, so
that the editor reads back every choice; each help text, in both languages,
ends with what the policy writes Enabled, Disabled and Not Configured, as
its ADMX element says; and that rule fails on templates whose ADMX writes
other values than their help texts say. Ends with "N passed, N failed".

    policy_check.py [FOLDER]    (the folder of CorvelChg.admx; policy/)
"""
import copy
import os
import re
import sys
import xml.etree.ElementTree as ET

TOP = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.dont_write_bytecode = True  # nothing written into the checkout
sys.path.insert(0, os.path.join(TOP, 'policy'))
import registry_shape  # noqa: E402
import tool_tables  # noqa: E402

NS = {'p': 'http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions'}
ID = re.compile(r'^[A-Za-z0-9_]+$')
# Each rule counts once, failed when any of its instances fails.
rules = {}


def check(rule, ok, instance=''):
    rules[rule] = rules.get(rule, True) and bool(ok)
    if not ok:
        print(f'FAILED: {rule}' + (f' ({instance})' if instance else ''))


def parse(path):
    with open(path, 'rb') as f:
        head = f.read(40)
    check('declared UTF-8', b'encoding="utf-8"' in head.lower(), path)
    return ET.parse(path).getroot()


def decimal_or_delete(value):
    if value.find('p:delete', NS) is not None:
        return None
    return int(value.find('p:decimal', NS).get('value'))


def help_text_faults(admx, admls):
    """Each "language policy" whose help text does not end with the paragraph
    of what its ADMX element writes Enabled, Disabled and Not Configured."""
    faults = []
    for lang, adml in admls.items():
        texts = {s.get('id'): s.text or '' for s in adml.iter('{%s}string' % NS['p'])}
        for policy in admx.iter('{%s}policy' % NS['p']):
            help_id = policy.get('explainText', '')[len('$(string.'):-1]
            try:
                paragraph = registry_shape.sentences(policy, lang)
            except ValueError as error:
                faults.append(f'{lang} {policy.get("name")}: {error}')
                continue
            if not texts.get(help_id, '').endswith('\n\n' + paragraph):
                faults.append(f'{lang} {policy.get("name")}')
    return faults


def _value(node, value):
    """Makes a value element write the decimal value, or remove (None)."""
    for child in list(node):
        node.remove(child)
    if value is None:
        ET.SubElement(node, '{%s}delete' % NS['p'])
    else:
        ET.SubElement(node, '{%s}decimal' % NS['p'], value=str(value))


def _item(policy, path, value_name):
    return policy.find(f"{path}[@valueName='{value_name}']", NS)


def _drop(policy, path, value_name):
    parent = policy.find(path.rsplit('/', 1)[0], NS)
    parent.remove(_item(policy, path, value_name))


# Templates a wrong generator could write, help texts kept: what each ADMX
# does otherwise, the policy, and the damage done to its element.
BROKEN_TEMPLATES = [
    ('Enabled writes Enabled = 2', 'Profile1',
     lambda p: _value(_item(p, 'p:enabledList/p:item', 'Enabled').find('p:value', NS), 2)),
    ('Enabled removes Enabled', 'Profile1_Recommended',
     lambda p: _value(_item(p, 'p:enabledList/p:item', 'Enabled').find('p:value', NS), None)),
    ('Disabled writes Enabled = 0', 'StartProfile',
     lambda p: _value(_item(p, 'p:disabledList/p:item', 'Enabled').find('p:value', NS), 0)),
    ('Disabled leaves TitleFontSize', 'Profile2', lambda p: _drop(p, 'p:disabledList/p:item', 'TitleFontSize')),
    ('Disabled leaves Enabled', 'Profile3_Recommended', lambda p: _drop(p, 'p:disabledList/p:item', 'Enabled')),
    ('Enabled writes KeepProfile = 2', 'KeepProfile', lambda p: _value(p.find('p:enabledValue', NS), 2)),
    ('Disabled removes KeepProfile', 'KeepProfile_Recommended',
     lambda p: _value(p.find('p:disabledValue', NS), None)),
]


def main():
    tables = tool_tables.load()
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(TOP, 'policy')
    admx = parse(os.path.join(folder, 'CorvelChg.admx'))
    admls = {lang: parse(os.path.join(folder, lang, 'CorvelChg.adml')) for lang in ('ja-JP', 'en-US')}

    faults = help_text_faults(admx, admls)
    check('each help text ends with what the policy writes in each state', not faults, ', '.join(faults))
    for what, name, damage in BROKEN_TEMPLATES:
        broken = copy.deepcopy(admx)
        try:
            damage(broken.find(f"p:policies/p:policy[@name='{name}']", NS))
            caught = help_text_faults(broken, admls)
        except (AttributeError, TypeError, ValueError):
            caught = False  # the template lacks what the damage needs: this table is out of date
        check('the help-text rule fails on an ADMX that writes otherwise than the help says', caught,
              f'{name}: {what}')

    targets = admx.findall('p:policyNamespaces/p:target', NS)
    check('one target namespace', len(targets) == 1)
    check('the namespace carries a version', bool(re.search(r'\.V\d+$', targets[0].get('namespace', ''))),
          targets[0].get('namespace'))
    check('no other template used (Intune would want it uploaded)', not admx.findall('p:policyNamespaces/p:using', NS))
    definitions = {d.get('name') for d in admx.findall('p:supportedOn/p:definitions/p:definition', NS)}
    for ref in admx.iter('{%s}supportedOn' % NS['p']):
        if ref.get('ref'):
            check('supportedOn is the template\'s own', ref.get('ref') in definitions, ref.get('ref'))

    text = ET.tostring(admx, encoding='unicode')
    string_refs = set(re.findall(r'\$\(string\.([^)]*)\)', text))
    presentation_refs = set(re.findall(r'\$\(presentation\.([^)]*)\)', text))
    for lang, adml in admls.items():
        strings = {s.get('id'): (s.text or '') for s in adml.findall('p:resources/p:stringTable/p:string', NS)}
        presentations = {p.get('id') for p in adml.findall('p:resources/p:presentationTable/p:presentation', NS)}
        missing = sorted(string_refs - strings.keys())
        check('every string the template names, in both languages', not missing, f"{lang}: {', '.join(missing)}")
        check('every presentation the template names, in both languages', presentation_refs <= presentations,
              f"{lang}: {', '.join(sorted(presentation_refs - presentations))}")
        empty = sorted(k for k, v in strings.items() if not v.strip())
        check('no empty text in either language', not empty, f"{lang}: {', '.join(empty)}")
        for sid in list(strings) + list(presentations):
            check('ids of letters, digits and underscores', bool(ID.match(sid)), sid)

    policies = {p.get('name'): p for p in admx.findall('p:policies/p:policy', NS)}
    categories = {c.get('name'): c for c in admx.findall('p:categories/p:category', NS)}
    enforced = ['Profile1', 'Profile2', 'Profile3', 'KeepProfile']
    recommended = ['StartProfile', 'Profile1_Recommended', 'Profile2_Recommended', 'Profile3_Recommended',
                   'KeepProfile_Recommended']
    check('exactly the enforced and the recommended policies', sorted(policies) == sorted(enforced + recommended),
          ', '.join(sorted(policies)))
    for group in (enforced, recommended):
        parents = {policies[n].find('p:parentCategory', NS).get('ref') for n in group if n in policies}
        check('enforced and recommended policies each in a category of their own', len(parents) == 1, str(parents))
    recommended_category = policies['StartProfile'].find('p:parentCategory', NS).get('ref') if 'StartProfile' in policies else ''
    for lang, adml in admls.items():
        strings = {s.get('id'): (s.text or '') for s in adml.findall('p:resources/p:stringTable/p:string', NS)}
        label = categories.get(recommended_category)
        text = strings.get(label.get('displayName', '')[len('$(string.'):-1], '') if label is not None else ''
        check('the recommended category says that users can override it',
              ('ユーザーが変更可能' if lang == 'ja-JP' else 'users can override') in text, f'{lang}: {text}')
    for name, policy in policies.items():
        check('ids of letters, digits and underscores', bool(ID.match(name)), name)
        check('every policy for computers and users (class="Both")', policy.get('class') == 'Both', name)
        key = policy.get('key')
        if policy.get('valueName'):
            # A switch: its own value, 1 enabled and 0 disabled, which the tool reads.
            on = policy.find('p:enabledValue', NS)
            off_value = policy.find('p:disabledValue', NS)
            check('a switch writes 1 enabled and 0 disabled',
                  on is not None and off_value is not None and decimal_or_delete(on) == 1 and
                  decimal_or_delete(off_value) == 0, name)
            check('a switch is the keeping of the profile, with the value the tool reads',
                  policy.get('valueName') == tables['keep_value'] and
                  key in (tables['policy_settings'], tables['recommended_settings']), name)
            continue
        on = [(i.get('key'), i.get('valueName'), decimal_or_delete(i.find('p:value', NS)))
              for i in policy.findall('p:enabledList/p:item', NS)]
        off = {(i.get('key'), i.get('valueName')) for i in policy.findall('p:disabledList/p:item', NS)
               if decimal_or_delete(i.find('p:value', NS)) is None}
        check('enabled, a policy writes one value of its own', len(on) == 1 and on[0][0] == key and on[0][2] == 1,
              f'{name}: {on}')
        element_values = {e.get('valueName') for e in policy.findall('p:elements/p:enum', NS)}
        check('the enabled value is none the tool reads', all(v not in element_values for _, v, _ in on), name)
        check('disabled, the enabled value goes', all((k, v) in off for k, v, _ in on), name)
        enums = {e.get('id'): e for e in policy.findall('p:elements/p:enum', NS)}
        presentation = policy.get('presentation', '')[len('$(presentation.'):-1]
        for lang, adml in admls.items():
            node = adml.find(f"p:resources/p:presentationTable/p:presentation[@id='{presentation}']", NS)
            lists = node.findall('p:dropdownList', NS) if node is not None else []
            check('each drop-down is its enum, in order (refId = enum id)',
                  [d.get('refId') for d in lists] == list(enums), f'{lang} {name}')
            for d in lists:
                check('drop-downs keep their order (noSort) and start at the factory item',
                      d.get('noSort') == 'true' and d.get('defaultItem') == '0', f'{lang} {d.get("refId")}')
        for eid, enum in enums.items():
            check('ids of letters, digits and underscores', bool(ID.match(eid)), eid)
            first = enum.find('p:item', NS)
            check('the first item is the factory setting, which removes the value',
                  first.get('displayName') == '$(string.Factory)' and decimal_or_delete(first.find('p:value', NS)) is None,
                  eid)

    # The keeping of the profile: enforced under the policy branch's settings
    # key, recommended under the recommended one.
    for name, key in (('KeepProfile', tables['policy_settings']), ('KeepProfile_Recommended', tables['recommended_settings'])):
        check('the keeping policies write the keys the tool reads', name in policies and policies[name].get('key') == key,
              name)
    values_of = {}
    for policy in policies.values():
        for v in policy.iter('{%s}item' % NS['p']):
            if v.get('valueName') and v.get('key'):
                values_of.setdefault((v.get('key'), v.get('valueName')), set()).add(policy.get('name'))
    shared = [f'{k[0]}\\{k[1]}: {sorted(n)}' for k, n in values_of.items() if len(n) > 1]
    check('no two policies write the same value', not shared, '; '.join(shared))

    # The starting profile.
    start = policies.get('StartProfile')
    check('a policy for the starting profile', start is not None)
    if start is not None:
        check('StartProfile: the recommended settings key', start.get('key') == tables['recommended_settings'])
        enum = start.find('p:elements/p:enum', NS)
        check('StartProfile: the value "mode"', enum.get('valueName') == tables['mode_value'])
        values = [decimal_or_delete(i.find('p:value', NS)) for i in enum.findall('p:item', NS)][1:]
        check('StartProfile: the three profiles', values == [0, 1, 2], values)

    # One policy a profile, one drop-down a row of the detail window.
    names = tables['value_names']
    profile_policies = [(f'Profile{i + 1}', key) for i, key in enumerate(tables['policy_profiles'])]
    profile_policies += [(f'Profile{i + 1}_Recommended', key) for i, key in enumerate(tables['recommended_profiles'])]
    for index, (policy_name, key) in enumerate(profile_policies):
        index %= 3
        policy = policies.get(policy_name)
        check('a policy a profile', policy is not None, str(index + 1))
        if policy is None:
            continue
        check('each profile policy writes the key the tool reads', policy.get('key') == key, policy.get('key'))
        enums = policy.findall('p:elements/p:enum', NS)
        check('a drop-down a row of the detail window, with its value name',
              [e.get('valueName') for e in enums] == [names[item] for item, _ in tables['rows']], str(index + 1))
        deleted = {i.get('valueName') for i in policy.findall('p:disabledList/p:item', NS)
                   if decimal_or_delete(i.find('p:value', NS)) is None and i.get('key') == key}
        for (item, _), enum in zip(tables['rows'], enums):
            items = enum.findall('p:item', NS)
            levels = [decimal_or_delete(i.find('p:value', NS)) for i in items][1:]
            offered = [level for level, _ in tables['offered'][item]]
            check('exactly the levels the detail window offers', levels == offered,
                  f'profile {index + 1} {names[item]}: {levels} != {offered}')
            pair = tables['pairs'].get(item)
            for i in items:
                written = [(v.get('key'), v.get('valueName'), decimal_or_delete(v.find('p:value', NS)))
                           for v in i.findall('p:valueList/p:item', NS)]
                want = [(key, names[pair], decimal_or_delete(i.find('p:value', NS)))] if pair is not None else []
                check('a row\'s second value is written with it, at the same level',
                      written == want, f'profile {index + 1} {names[item]}: {written}')
            if pair is not None:
                check('values written through a valueList are removed when the policy is disabled', names[pair] in deleted,
                      f'profile {index + 1} {names[pair]}')

    if os.environ.get('POLICY_RULES'):
        print('\n'.join(sorted(rules)))
    passed = sum(rules.values())
    failed = len(rules) - passed
    print(f'{passed} passed, {failed} failed')
    return 0 if failed == 0 else 1


if __name__ == '__main__':
    sys.exit(main())
