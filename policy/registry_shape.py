"""What a policy of the template writes when it is Enabled, Disabled or Not
Configured, read from its ADMX element, as the last paragraph of its help
text. policy/make-templates.py writes it; tests/source/policy_check.py reads
the ADMX again and compares. Every value in the paragraph is the one the
element states (enabledValue, disabledValue, the items of enabledList and
disabledList), so a template that writes something else reads otherwise.
"""
NS = {'p': 'http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions'}
REMOVE = None  # the action of <delete />
# The kinds of value an element may state, and how the paragraph shows each.
VALUE_KINDS = (('decimal', lambda node: node.get('value')), ('longDecimal', lambda node: node.get('value')),
               ('string', lambda node: f'"{node.text or ""}"'), ('delete', lambda node: REMOVE))


def action(holder):
    """What a value element (enabledValue, disabledValue, an item's value)
    does: the text of the value written, or REMOVE. A template that states
    none is no template the editor takes: ValueError."""
    for kind, shown in VALUE_KINDS:
        found = None if holder is None else holder.find(f'p:{kind}', NS)
        if found is not None:
            return shown(found)
    raise ValueError('a value that states neither decimal, longDecimal, string nor delete')


def _items(policy, path):
    """(value name, action) of each item of a list."""
    return [(item.get('valueName'), action(item.find('p:value', NS))) for item in policy.findall(path, NS)]


def shape(policy):
    """('switch', (value, enabled, disabled)) for a policy with a value of its
    own; else ('list', (enabled, chosen, disabled)): the items of enabledList,
    the values its drop-downs write (each once, in order), and what Disabled
    does to each value named: the items of disabledList, and REMOVE for the
    drop-downs' own values, which the editor removes with the policy."""
    value_name = policy.get('valueName')
    if value_name is not None:
        return 'switch', (value_name, action(policy.find('p:enabledValue', NS)),
                          action(policy.find('p:disabledValue', NS)))
    chosen = []
    disabled = {}
    for enum in policy.findall('p:elements/p:enum', NS):
        disabled[enum.get('valueName')] = REMOVE
        names = [enum.get('valueName')]
        names += [item.get('valueName') for item in enum.findall('p:item/p:valueList/p:item', NS)]
        for name in names:
            if name not in chosen:
                chosen.append(name)
    disabled.update(_items(policy, 'p:disabledList/p:item'))
    return 'list', (_items(policy, 'p:enabledList/p:item'), chosen, disabled)


def _disabled_parts(named, disabled):
    """What Disabled does to the values named: (written, removed, left)."""
    written = [(name, disabled[name]) for name in named if disabled.get(name, REMOVE) is not REMOVE]
    removed = [name for name in named if name in disabled and disabled[name] is REMOVE]
    left = [name for name in named if name not in disabled]
    return written, removed, left


# The paragraph in each language: the words around the names and values.
WORDS = {
    'en-US': {
        'switch': 'Registry: Enabled {on}, Disabled {off}, Not Configured removes {value}.',
        'switch_write': 'writes {value} = {shown}', 'switch_remove': 'removes {value}',
        'list': 'Registry: Enabled {on}the chosen value of {chosen} ("Factory setting" removes that value), '
                'Disabled {off}, Not Configured removes every value the policy wrote.',
        'write': '{name} = {shown}', 'join': ', ', 'and': ' and ',
        'on_writes': 'writes {pairs}', 'on_removes': 'removes {names}', 'on_end': ' and ', 'on_empty': 'writes ',
        'off_all': 'removes all of these values',
        # Disabled's clauses: (any but the last, the last).
        'off_writes': ('writes {pairs}',) * 2, 'off_removes': ('removes {names}',) * 2,
        'off_left': ('leaves {names} unchanged',) * 2,
    },
    'ja-JP': {
        'switch': '「有効」にすると{on}。「無効」にすると{off}。「未構成」にすると値 {value} を削除します。',
        'switch_both': '「有効」にすると値 {value} に {on} を、「無効」にすると {off} を書き込みます。'
                       '「未構成」にすると値 {value} を削除します。',
        'switch_write': '値 {value} に {shown} を書き込みます', 'switch_remove': '値 {value} を削除します',
        'list': '「有効」にすると{on}{chosen} に選んだ値を書き込みます（「工場出荷時の設定」を選んだ値は削除します）。'
                '「無効」にすると、{off}。「未構成」にすると、このポリシーが書き込んだ値をすべて削除します。',
        'write': '{name} に {shown}', 'join': '、', 'and': '、',
        'on_writes': '値 {pairs} を書き込み', 'on_removes': '値 {names} を削除し', 'on_end': '、',
        'on_empty': '',
        'off_all': 'これらの値をすべて削除します',
        'off_writes': ('値 {pairs} を書き込み', '値 {pairs} を書き込みます'),
        'off_removes': ('値 {names} を削除し', '値 {names} を削除します'),
        'off_left': ('値 {names} はそのままにし', '値 {names} はそのままにします'),
    },
}


def _pairs(words, pairs):
    return words['join'].join(words['write'].format(name=name, shown=shown) for name, shown in pairs)


def _enabled(words, enabled):
    """The Enabled clause up to the chosen values."""
    writes = [(name, shown) for name, shown in enabled if shown is not REMOVE]
    removes = [name for name, shown in enabled if shown is REMOVE]
    parts = []
    if writes:
        parts.append(words['on_writes'].format(pairs=_pairs(words, writes)))
    if removes:
        parts.append(words['on_removes'].format(names=words['join'].join(removes)))
    if not parts:
        return words['on_empty']
    return words['join'].join(parts) + words['on_end']


def _disabled(words, named, disabled):
    written, removed, left = _disabled_parts(named, disabled)
    if not written and not left:
        return words['off_all']
    parts = [(words['off_writes'], {'pairs': _pairs(words, written)})] if written else []
    parts += [(words['off_removes'], {'names': words['join'].join(removed)})] if removed else []
    parts += [(words['off_left'], {'names': words['join'].join(left)})] if left else []
    last = len(parts) - 1
    return words['and'].join(forms[i == last].format(**values) for i, (forms, values) in enumerate(parts))


def _switch_state(words, value, shown):
    if shown is REMOVE:
        return words['switch_remove'].format(value=value)
    return words['switch_write'].format(value=value, shown=shown)


def sentences(policy, language):
    """The paragraph of the three states, in the language of the ADML."""
    words = WORDS[language]
    kind, names = shape(policy)
    if kind == 'switch':
        value, enabled, disabled = names
        if 'switch_both' in words and REMOVE not in (enabled, disabled):
            return words['switch_both'].format(value=value, on=enabled, off=disabled)
        return words['switch'].format(on=_switch_state(words, value, enabled),
                                      off=_switch_state(words, value, disabled), value=value)
    enabled, chosen, disabled = names
    named = [name for name, _ in enabled] + [name for name in chosen if name not in dict(enabled)]
    return words['list'].format(on=_enabled(words, enabled), chosen=words['join'].join(chosen),
                                off=_disabled(words, named, disabled))
