"""What a policy of the template writes when it is Enabled, Disabled or Not
Configured, read from its ADMX element, as the last paragraph of its help
text. policy/make-templates.py writes it; tests/source/policy_check.py reads
the ADMX again and compares.
"""
NS = {'p': 'http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions'}


def _decimal(value):
    found = value.find('p:decimal', NS)
    return None if found is None else found.get('value')


def shape(policy):
    """(kind, names): 'switch' with (value, enabled, disabled) for a policy
    with a value of its own, else 'list' with the values Enabled sets to a
    number and the values its drop-downs write, each in order, once."""
    value_name = policy.get('valueName')
    if value_name is not None:
        enabled = _decimal(policy.find('p:enabledValue', NS))
        disabled = _decimal(policy.find('p:disabledValue', NS))
        return 'switch', (value_name, enabled, disabled)
    fixed = [item.get('valueName') for item in policy.findall('p:enabledList/p:item', NS)]
    chosen = []
    for enum in policy.findall('p:elements/p:enum', NS):
        names = [enum.get('valueName')]
        names += [item.get('valueName') for item in enum.findall('p:item/p:valueList/p:item', NS)]
        for name in names:
            if name not in chosen:
                chosen.append(name)
    return 'list', (fixed, chosen)


def sentences(policy, language):
    """The paragraph of the three states, in the language of the ADML."""
    kind, names = shape(policy)
    japanese = language == 'ja-JP'
    if kind == 'switch':
        value, enabled, disabled = names
        if japanese:
            return (f'「有効」にすると値 {value} に {enabled} を、「無効」にすると {disabled} を書き込みます。'
                    f'「未構成」にすると値 {value} を削除します。')
        return (f'Registry: Enabled writes {value} = {enabled}, Disabled writes {value} = {disabled}, '
                f'Not Configured removes {value}.')
    fixed, chosen = names
    if japanese:
        return (f'「有効」にすると値 {"、".join(fixed)} に 1 を書き込み、{"、".join(chosen)} に選んだ値を書き込みます'
                '（「工場出荷時の設定」を選んだ値は削除します）。「無効」にすると、これらの値をすべて削除します。'
                '「未構成」にすると、このポリシーが書き込んだ値をすべて削除します。')
    return (f'Registry: Enabled writes {", ".join(fixed)} = 1 and the chosen value of {", ".join(chosen)} '
            '("Factory setting" removes that value), Disabled removes all of these values, Not Configured removes '
            'every value the policy wrote.')
