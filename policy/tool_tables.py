"""The tool's own tables as the policy template needs them, read from the
sources (never copied): the rows of the detail window, the levels each row
offers, the registry keys of the enforced and the recommended policy
branches and the Japanese texts."""
import os
import re

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def _read(path):
    with open(os.path.join(TOP, path), encoding='utf-8') as f:
        return f.read()


def _enum(text, prefix):
    return {name: int(value) for name, value in re.findall(rf'\b({prefix}\w+) = (\d+)', text)
            if not name.endswith('_COUNT')}


def _defines():
    return {name: int(value) for name, value in re.findall(r'#define (\w+) (\d+)', _read('res/resource.h'))}


def strings():
    """The string table by id, with \\n as a line break."""
    table = {}
    for number, text in re.findall(r'^\s*(\d+) "((?:[^"\\]|\\.)*)"', _read('res/strings.rc'), re.M):
        table[int(number)] = text.replace('\\n', '\n')
    return table


def _cpp_string(literal):
    return literal.replace('\\\\', '\\')


def load():
    model_h = _read('settings/SettingModel.h')
    model = _read('settings/SettingModel.cpp')
    levels_cpp = _read('ui/SettingLevels.cpp')
    items = _enum(model_h, 'ITEM_')
    levels = _enum(model_h, 'LEVEL_')
    defines = _defines()
    text = strings()

    names_block = re.search(r'ItemValueNames\[ITEM_COUNT\] = \{(.*?)\};', model, re.S).group(1)
    value_names = re.findall(r'u"(\w+)"', names_block)

    offered = {}  # item number -> [(level code, caption id)] in level order
    table = re.search(r'ItemValueTable\[ITEM_VALUE_ROWS\] = \{(.*?)\n\};', model, re.S).group(1)
    for item, _value, caption, level in re.findall(r'\{(ITEM_\w+), (-?\d+), (IDS_\w+), (LEVEL_\w+)\}', table):
        offered.setdefault(items[item], []).append((levels[level], defines[caption]))
    for item in offered:
        offered[item].sort()

    rows = []  # (item, row text id) in the detail window's order
    block = re.search(r'kRowNames\[\] = \{(.*?)\};', levels_cpp, re.S).group(1)
    for item, string_id in re.findall(r'\{(ITEM_\w+), (IDS_\w+)\}', block):
        rows.append((items[item], defines[string_id]))

    # A row that stores a second value: the font size of the title bar and of the menu.
    pairs = {items[a]: items[b] for a, b in
             re.findall(r'if \(row\.item == (ITEM_\w+)\) profiles\[row\.mode\]\[(ITEM_\w+)\] = level;', levels_cpp)}

    policy_settings = _cpp_string(re.search(r'kPolicySettingsKey\[\] = u"([^"]+)"', model_h).group(1))
    recommended_settings = _cpp_string(re.search(r'kRecommendedSettingsKey\[\] = u"([^"]+)"', model_h).group(1))

    def keys(name):
        block = re.search(name + r'\[PROFILE_COUNT\] = \{(.*?)\};', model, re.S).group(1)
        return [_cpp_string(k).rstrip('\\') for k in re.findall(r'u"([^"]+)"', block)]
    policy_profiles = keys('PolicyProfileKeys')
    recommended_profiles = keys('RecommendedProfileKeys')
    mode_value = re.search(r'kModeValue\[\] = u"(\w+)"', model_h).group(1)
    keep_value = re.search(r'kKeepProfileValue\[\] = u"(\w+)"', model_h).group(1)
    profile_names = [text[defines[f'IDS_PROFILE_NAME_{n}']] for n in (1, 2, 3)]
    return {
        'value_names': value_names, 'offered': offered, 'rows': rows, 'pairs': pairs,
        'policy_settings': policy_settings, 'policy_profiles': policy_profiles, 'mode_value': mode_value,
        'recommended_settings': recommended_settings, 'recommended_profiles': recommended_profiles,
        'keep_value': keep_value,
        'profile_names': profile_names, 'strings': text, 'levels': levels,
    }
