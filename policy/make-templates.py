#!/usr/bin/env python3
"""Writes the Group Policy template of Tessaly from the tool's own tables:
policy/CorvelChg.admx, policy/ja-JP/CorvelChg.adml, policy/en-US/CorvelChg.adml.

Run it after a change to the detail window's rows, the levels an item offers
or the string table, and commit the three files; tests/source/policy_check.py
checks them against the same sources.

    policy/make-templates.py
"""
import os
import sys
from xml.sax.saxutils import escape, quoteattr

sys.dont_write_bytecode = True  # nothing written into the checkout
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import tool_tables  # noqa: E402

# A new template version gets a new namespace: Intune cannot replace an
# imported template in place.
NAMESPACE = 'Halden.Policies.Tessaly.V1'
PREFIX = 'tessaly'
REVISION = '1.0'
FACTORY = 'Factory'  # the first item of every drop-down: the value is removed

# The English texts, by string-table id; the Japanese ones are the table's own.
ENGLISH = {
    10045: 'Small', 10062: 'Medium', 10018: 'Large', 10064: 'Extra large', 10065: 'Normal',
    10061: 'None', 10025: 'Slow', 10063: 'Fast', 10019: 'Standard',
    10069: 'Text size (DPI)', 10070: 'Desktop icons', 10071: 'Title bar', 10072: 'Window borders',
    10073: 'Scroll bars', 10074: 'Menus', 10075: 'Mouse pointer', 10076: 'Text cursor width',
    10077: 'Text cursor blink rate',
}
PROFILE_EN = ['Profile 1 (設定①)', 'Profile 2 (設定②)', 'Profile 3 (設定③)']

TEXTS = {
    'ja-JP': {
        'Category': 'Tessaly（画面表示の切り替え）',
        'SUPPORTED_Windows7': 'Windows 7 以降',
        FACTORY: '工場出荷時の設定',
        'StartProfile': '自分の設定がないユーザーが使う設定',
        'StartProfile_Help': (
            '自分の設定（「設定①」「設定②」「設定③」のどれを使うか）をまだ選んでいないユーザーが使う設定と、'
            '「出荷時設定に戻す」で戻る設定を決めます。\n\n'
            '「有効」にして設定を選ぶと、そのユーザーが Tessaly を起動したときや、'
            '「出荷時設定に戻す」を選んだときに、選んだ設定になります。'
            'すでに自分で設定を選んだユーザーは、その設定のままです。\n\n'
            '「無効」または「未構成」にすると、PC にインストールされた工場出荷時の設定に従います。'),
        'StartProfile_Label': '使う設定',
        'Profile': '{name} の工場出荷時の設定',
        'Profile_Help': (
            '「{name}」の各項目の工場出荷時の値を決めます。「出荷時設定に戻す」を選んだときや、'
            '自分で値を変更していない項目に使われます。\n\n'
            '項目ごとに値を選びます。「工場出荷時の設定」のままの項目は、PC にインストールされた工場出荷時の値に従います。'
            '「タイトルバー」と「メニュー」は、サイズと文字の大きさを同じ段階にします（詳細設定の画面と同じです）。\n\n'
            'ユーザーが詳細設定の画面で自分で変更した値は、そのユーザーのものとして残り、その設定に切り替えたときに'
            '使われます。そのユーザーが「出荷時設定に戻す」を選ぶと、このポリシーの値が適用されます'
            '（詳細設定の内容は変更しません）。\n\n'
            '「無効」または「未構成」にすると、このポリシーで書き込んだ値は削除され、PC にインストールされた'
            '工場出荷時の設定に戻ります。'),
        'Profile_Label': '{name}',
    },
    'en-US': {
        'Category': 'Tessaly (display switching)',
        'SUPPORTED_Windows7': 'At least Windows 7',
        FACTORY: 'Factory setting',
        'StartProfile': 'Profile for users who have not chosen one',
        'StartProfile_Help': (
            'Sets the profile (設定① "Profile 1", 設定② "Profile 2" or 設定③ "Profile 3") that a user who has '
            'not chosen one of their own gets, and the profile that "Restore the factory settings" '
            '(出荷時設定に戻す) returns to.\n\n'
            'Enabled with a profile chosen: such a user gets that profile when Tessaly starts or when they restore '
            'the factory settings. Users who have chosen a profile themselves keep it.\n\n'
            'Disabled or Not Configured: the factory data installed on the PC decides.'),
        'StartProfile_Label': 'Profile',
        'Profile': 'Factory settings of {name}',
        'Profile_Help': (
            'Sets the factory value of each setting of {name}. Tessaly uses it when a user restores the factory '
            'settings (出荷時設定に戻す), and for every setting the user has not changed.\n\n'
            'Choose a value for each setting. A setting left at "Factory setting" follows the factory data '
            'installed on the PC. "Title bar" and "Menus" set the size and the text size to the same step, as the '
            'detail settings window (詳細設定) does.\n\n'
            'Values that a user changed in the detail settings window stay theirs and apply whenever they switch to '
            'this profile. When the user restores the factory settings, the values of this policy are applied (the '
            'user\'s detail settings themselves are kept).\n\n'
            'Disabled or Not Configured: the values this policy wrote are removed, and the factory data installed '
            'on the PC applies again.'),
        'Profile_Label': '{name}',
    },
}


def string_id(caption_id):
    return f'Level_{caption_id}'


def row_id(row_text_id):
    return f'Row_{row_text_id}'


def profile_policy(index):
    return f'Profile{index + 1}'


def enum_item(display, value, pair):
    """One drop-down item: the level, and the paired value with the same level."""
    body = '<delete />' if value is None else f'<decimal value="{value}" />'
    lines = [f'          <item displayName="$(string.{display})">', f'            <value>{body}</value>']
    if pair:
        key, name = pair
        lines += ['            <valueList>',
                  f'              <item key={quoteattr(key)} valueName="{name}"><value>{body}</value></item>',
                  '            </valueList>']
    lines.append('          </item>')
    return lines


def admx(t):
    out = ['<?xml version="1.0" encoding="utf-8"?>',
           '<!-- Written by policy/make-templates.py from the tool\'s tables; do not edit by hand. -->',
           '<policyDefinitions xmlns:xsd="http://www.w3.org/2001/XMLSchema" '
           'xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" revision="' + REVISION + '" schemaVersion="1.0" '
           'xmlns="http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions">',
           '  <policyNamespaces>',
           f'    <target prefix="{PREFIX}" namespace="{NAMESPACE}" />',
           '  </policyNamespaces>',
           f'  <resources minRequiredRevision="{REVISION}" />',
           '  <supportedOn>',
           '    <definitions>',
           '      <definition name="SUPPORTED_Windows7" displayName="$(string.SUPPORTED_Windows7)" />',
           '    </definitions>',
           '  </supportedOn>',
           '  <categories>',
           '    <category name="Tessaly" displayName="$(string.Category)" />',
           '  </categories>',
           '  <policies>']
    # The starting profile.
    out += [f'    <policy name="StartProfile" class="Machine" displayName="$(string.StartProfile)" '
            f'explainText="$(string.StartProfile_Help)" presentation="$(presentation.StartProfile)" '
            f'key={quoteattr(t["policy_settings"])}>',
            '      <parentCategory ref="Tessaly" />',
            '      <supportedOn ref="SUPPORTED_Windows7" />',
            '      <elements>',
            f'        <enum id="StartProfile_mode" valueName="{t["mode_value"]}">']
    out += enum_item(FACTORY, None, None)
    for index in range(3):
        out += enum_item(f'ProfileName{index + 1}', index, None)
    out += ['        </enum>', '      </elements>', '    </policy>']
    # One policy a profile, one drop-down a row of the detail window.
    for index, key in enumerate(t['policy_profiles']):
        name = profile_policy(index)
        out += [f'    <policy name="{name}" class="Machine" displayName="$(string.{name})" '
                f'explainText="$(string.{name}_Help)" presentation="$(presentation.{name})" key={quoteattr(key)}>',
                '      <parentCategory ref="Tessaly" />',
                '      <supportedOn ref="SUPPORTED_Windows7" />']
        paired = [t['value_names'][t['pairs'][item]] for item, _ in t['rows'] if item in t['pairs']]
        if paired:
            # Values written through a valueList go with the policy.
            out.append('      <disabledList>')
            for value_name in paired:
                out.append(f'        <item key={quoteattr(key)} valueName="{value_name}"><value><delete /></value></item>')
            out.append('      </disabledList>')
        out.append('      <elements>')
        for item, _row_text in t['rows']:
            value_name = t['value_names'][item]
            pair = (key, t['value_names'][t['pairs'][item]]) if item in t['pairs'] else None
            out.append(f'        <enum id="{name}_{value_name}" valueName="{value_name}">')
            out += enum_item(FACTORY, None, pair)
            for level, caption in t['offered'][item]:
                out += enum_item(string_id(caption), level, pair)
            out.append('        </enum>')
        out += ['      </elements>', '    </policy>']
    out += ['  </policies>', '</policyDefinitions>', '']
    return '\n'.join(out)


def adml(t, language):
    words = TEXTS[language]
    japanese = language == 'ja-JP'
    strings = {'Category': words['Category'], 'SUPPORTED_Windows7': words['SUPPORTED_Windows7'],
               FACTORY: words[FACTORY], 'StartProfile': words['StartProfile'],
               'StartProfile_Help': words['StartProfile_Help']}
    names = t['profile_names'] if japanese else PROFILE_EN
    for index in range(3):
        strings[f'ProfileName{index + 1}'] = names[index]
        policy = profile_policy(index)
        strings[policy] = words['Profile'].format(name=names[index])
        strings[f'{policy}_Help'] = words['Profile_Help'].format(name=names[index])
    captions = sorted({caption for item, _ in t['rows'] for _, caption in t['offered'][item]})
    for caption in captions:
        strings[string_id(caption)] = t['strings'][caption] if japanese else ENGLISH[caption]
    out = ['<?xml version="1.0" encoding="utf-8"?>',
           '<!-- Written by policy/make-templates.py from the tool\'s tables; do not edit by hand. -->',
           '<policyDefinitionResources xmlns:xsd="http://www.w3.org/2001/XMLSchema" '
           'xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" revision="' + REVISION + '" schemaVersion="1.0" '
           'xmlns="http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions">',
           f'  <displayName>{escape(words["Category"])}</displayName>',
           f'  <description>{escape(words["Category"])}</description>',
           '  <resources>',
           '    <stringTable>']
    for sid, text in strings.items():
        out.append(f'      <string id="{sid}">{escape(text)}</string>')
    out += ['    </stringTable>', '    <presentationTable>',
            '      <presentation id="StartProfile">',
            f'        <dropdownList refId="StartProfile_mode" noSort="true" defaultItem="0">'
            f'{escape(words["StartProfile_Label"])}</dropdownList>',
            '      </presentation>']
    for index in range(3):
        policy = profile_policy(index)
        out.append(f'      <presentation id="{policy}">')
        for item, row_text in t['rows']:
            label = t['strings'][row_text] if japanese else ENGLISH[row_text]
            out.append(f'        <dropdownList refId="{policy}_{t["value_names"][item]}" noSort="true" '
                       f'defaultItem="0">{escape(label)}</dropdownList>')
        out.append('      </presentation>')
    out += ['    </presentationTable>', '  </resources>', '</policyDefinitionResources>', '']
    return '\n'.join(out)


def main():
    t = tool_tables.load()
    here = os.path.dirname(os.path.abspath(__file__))
    files = {'CorvelChg.admx': admx(t), 'ja-JP/CorvelChg.adml': adml(t, 'ja-JP'),
             'en-US/CorvelChg.adml': adml(t, 'en-US')}
    for name, text in files.items():
        path = os.path.join(here, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, 'w', encoding='utf-8', newline='\r\n') as f:
            f.write(text)
        print(f'wrote policy/{name}')


if __name__ == '__main__':
    main()
