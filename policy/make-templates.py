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
import xml.etree.ElementTree as ET
from xml.sax.saxutils import escape, quoteattr

sys.dont_write_bytecode = True  # nothing written into the checkout
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import registry_shape  # noqa: E402
import tool_tables  # noqa: E402

# A new template version gets a new namespace: Intune cannot replace an
# imported template in place.
NAMESPACE = 'Halden.Policies.Tessaly.V2'
PREFIX = 'tessaly'
REVISION = '2.0'
FACTORY = 'Factory'  # the first item of every drop-down: the value is removed
# Written by every policy with drop-downs when it is enabled and removed when
# it is disabled, so that "Enabled, every row at the factory item" reads back
# as Enabled. The tool never reads it. The keeping policies are switches:
# their own value is 1 enabled and 0 disabled.
ENABLED_VALUE = 'Enabled'
CATEGORY = 'Tessaly'
RECOMMENDED_CATEGORY = 'Tessaly_Recommended'

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
        'RecommendedCategory': 'Tessaly（画面表示の切り替え） - 既定の設定（ユーザーが変更可能）',
        'SUPPORTED_Windows7': 'Windows 7 以降',
        FACTORY: '工場出荷時の設定',
        'StartProfile': '自分の設定を選んでいないユーザーが使う設定',
        'StartProfile_Help': (
            'まだ自分で設定（「設定①」「設定②」「設定③」のどれを使うか）を選んでいないユーザーが使う設定と、'
            '「出荷時設定に戻す」で戻る設定を決めます。既定の設定なので、ユーザーはいつでも別の設定に切り替えられます。\n\n'
            '「有効」にして設定を選ぶと、そのユーザーが Tessaly を起動したときや「出荷時設定に戻す」を選んだときに、'
            '選んだ設定になります。すでに自分で設定を選んだユーザーは、その設定のままです。\n\n'
            'コンピューターの構成とユーザーの構成の両方で設定したときは、コンピューターの構成が優先されます。\n\n'
            '「無効」または「未構成」にすると、以前のテンプレート（V1）で使う設定を決めていればその設定に、'
            '決めていなければ PC にインストールされた工場出荷時の設定に従います。'),
        'StartProfile_Label': '使う設定',
        'Profile': '{name} の設定（ユーザーは変更できません）',
        'Profile_Help': (
            '「{name}」の項目の値を決めます。ここで値を選んだ項目は、ユーザーが変更できません。'
            '詳細設定の画面では灰色で表示され、「{name}」に切り替えたときや「出荷時設定に戻す」を選んだときは、'
            '常にこの値が使われます。\n\n'
            '項目ごとに値を選びます。「工場出荷時の設定」のままの項目は、このポリシーでは決めません。'
            'ユーザーが保存した値、既定の設定のポリシー、PC にインストールされた工場出荷時の値の順に使われます。'
            '「タイトルバー」と「メニュー」は、サイズと文字の大きさを同じ段階にします（詳細設定の画面と同じです）。\n\n'
            'ユーザーが以前に詳細設定の画面で保存した値は削除されません。このポリシーを無効にすると、その値が再び使われます。\n\n'
            'コンピューターの構成とユーザーの構成の両方で設定したときは、項目ごとにコンピューターの構成が優先されます。'
            '変更したポリシーは、ユーザーが次に設定を切り替えたとき、または「出荷時設定に戻す」を選んだときに反映されます。'),
        'Profile_Label': '{name}',
        'Recommended': '{name} の既定の設定',
        'Recommended_Help': (
            '「{name}」の項目の既定の値を決めます。ユーザーは詳細設定の画面で変更できます。\n\n'
            'この値は、詳細設定の画面でまだ設定を保存していないユーザーに使われます。ユーザーが詳細設定の画面で'
            '「OK」を押して保存すると、それ以降はそのユーザーが保存した値が使われ、このポリシーを変更しても'
            'そのユーザーには反映されません（ユーザーが変更できないポリシーの値は、常に優先されます）。'
            '「出荷時設定に戻す」と詳細設定の「詳細設定を初期値に戻す」では、このポリシーの値が使われます。\n\n'
            '項目ごとに値を選びます。「工場出荷時の設定」のままの項目は、PC にインストールされた工場出荷時の値に従います。'
            '「タイトルバー」と「メニュー」は、サイズと文字の大きさを同じ段階にします（詳細設定の画面と同じです）。\n\n'
            'コンピューターの構成とユーザーの構成の両方で設定したときは、項目ごとにコンピューターの構成が優先されます。'),
        'Recommended_Label': '{name}',
        'KeepProfile': 'サインインのたびに、選んだ設定に戻す（ユーザーは変更できません）',
        'KeepProfile_Help': (
            'サインインのたびに、ユーザーが使っている設定（「設定①」「設定②」「設定③」）の値を確認し、'
            'Windows の更新や再起動、ユーザー自身の操作などで変わった項目だけを元に戻します。'
            'PC のすべてのユーザーに、ユーザーの操作なしで適用されます。\n\n'
            '「有効」にすると、詳細設定の画面の「サインインのたびに、選んだ設定に戻す」はオンのまま変更できず、'
            '「元の設定に戻す」は使えなくなります。自分の設定を選んでいないユーザーと、元の設定に戻していたユーザーには、'
            '自分の設定を選んでいないユーザーが使う設定が適用されます（その前の表示設定は元の設定として保存されます）。'
            '「無効」にすると、オフのまま変更できません。\n\n'
            '文字の大きさが変わっていたときは、次回のサインイン後に戻ります。'
            'コンピューターの構成とユーザーの構成の両方で設定したときは、コンピューターの構成が優先されます。\n\n'
            '「未構成」にすると、ユーザーが詳細設定の画面で選びます。'),
        'KeepProfile_Recommended': 'サインインのたびに、選んだ設定に戻す（既定）',
        'KeepProfile_Recommended_Help': (
            '詳細設定の画面の「サインインのたびに、選んだ設定に戻す」の既定の状態を決めます。'
            'ユーザーが自分で選んで保存すると、そのユーザーの選択が使われます。\n\n'
            '「有効」にすると既定でオン、「無効」にすると既定でオフになります。'
            'コンピューターの構成とユーザーの構成の両方で設定したときは、コンピューターの構成が優先されます。\n\n'
            '「未構成」にすると、既定ではオフです。'),
    },
    'en-US': {
        'Category': 'Tessaly (display switching)',
        'RecommendedCategory': 'Tessaly (display switching) - Default settings (users can override)',
        'SUPPORTED_Windows7': 'At least Windows 7',
        FACTORY: 'Factory setting',
        'StartProfile': 'Profile for users who have not chosen one',
        'StartProfile_Help': (
            'Sets the profile (設定① "Profile 1", 設定② "Profile 2" or 設定③ "Profile 3") of a user who has not '
            'chosen one of their own, and the profile that "Restore the factory settings" (出荷時設定に戻す) returns '
            'to. It is a default: users can switch to another profile at any time.\n\n'
            'Enabled with a profile chosen: such a user gets that profile when Tessaly starts or when they restore '
            'the factory settings. Users who have chosen a profile themselves keep it.\n\n'
            'Set under both Computer and User Configuration, the computer\'s wins.\n\n'
            'Disabled or Not Configured: the profile the first template (V1) sets decides when it sets one, else '
            'the factory data installed on the PC.'),
        'StartProfile_Label': 'Profile',
        'Profile': 'Settings of {name} (users cannot change them)',
        'Profile_Help': (
            'Sets the value of each setting of {name}. A setting given a value here cannot be changed by the user: '
            'the detail settings window (詳細設定) shows it greyed out, and switching to {name} or restoring the '
            'factory settings (出荷時設定に戻す) always applies this value.\n\n'
            'Choose a value for each setting. A setting left at "Factory setting" is not set by this policy: the '
            'value the user saved applies, else the default settings policy, else the factory data installed on '
            'the PC. "Title bar" and "Menus" set the size and the text size to the same step, as the detail '
            'settings window does.\n\n'
            'Values the user saved earlier in the detail settings window are kept, and apply again once this policy '
            'is disabled.\n\n'
            'Set under both Computer and User Configuration, the computer\'s wins, setting by setting. A changed '
            'policy reaches a user the next time they switch profiles or restore the factory settings.'),
        'Profile_Label': '{name}',
        'Recommended': 'Default settings of {name}',
        'Recommended_Help': (
            'Sets the default value of each setting of {name}. Users can change it in the detail settings window '
            '(詳細設定).\n\n'
            'These values apply to a user who has not saved the detail settings. Once a user saves them (OK in the '
            'detail settings window), the values they saved apply and a change of this policy no longer reaches '
            'them; values that users cannot change always win. Restoring the factory settings (出荷時設定に戻す) and '
            '"Reset the detail settings" (詳細設定を初期値に戻す) apply this policy\'s values.\n\n'
            'Choose a value for each setting. A setting left at "Factory setting" follows the factory data '
            'installed on the PC. "Title bar" and "Menus" set the size and the text size to the same step, as the '
            'detail settings window does.\n\n'
            'Set under both Computer and User Configuration, the computer\'s wins, setting by setting.'),
        'Recommended_Label': '{name}',
        'KeepProfile': 'Put the chosen profile back at every sign-in (users cannot change it)',
        'KeepProfile_Help': (
            'At every sign-in, Tessaly compares the settings of the profile a user uses (設定①, ② or ③) with '
            'what is in effect and puts back only what Windows or the user changed (after an update, a restart, '
            'or a change in Windows\' own settings). It applies to every user of the PC, without any step of '
            'theirs.\n\n'
            'Enabled: the check box "サインインのたびに、選んだ設定に戻す" of the detail settings window is on and '
            'cannot be changed, and "Return to my own settings" (元の設定に戻す) is not offered. A user who has '
            'not chosen a profile, or had returned to their own settings, gets the profile for users who have not '
            'chosen one (the display settings they had before are kept as their own settings). Disabled: off, and users cannot turn it on.\n\n'
            'A text size that had changed comes back after the next sign-in. Set under both Computer and User '
            'Configuration, the computer\'s wins.\n\n'
            'Not Configured: users decide in the detail settings window.'),
        'KeepProfile_Recommended': 'Put the chosen profile back at every sign-in (default)',
        'KeepProfile_Recommended_Help': (
            'Sets the default of the check box "サインインのたびに、選んだ設定に戻す" of the detail settings '
            'window. A user who saves their own choice keeps it.\n\n'
            'Enabled: on by default. Disabled: off by default. Set under both Computer and User Configuration, '
            'the computer\'s wins.\n\n'
            'Not Configured: off by default.'),
    },
}


def policies(t):
    """Every policy: (name, category, key, kind, profile index); kind is
    'start', 'keep', 'enforced' or 'recommended'."""
    out = [(f'Profile{i + 1}', CATEGORY, key, 'enforced', i) for i, key in enumerate(t['policy_profiles'])]
    out.append(('KeepProfile', CATEGORY, t['policy_settings'], 'keep', None))
    out.append(('StartProfile', RECOMMENDED_CATEGORY, t['recommended_settings'], 'start', None))
    out.append(('KeepProfile_Recommended', RECOMMENDED_CATEGORY, t['recommended_settings'], 'keep', None))
    out += [(f'Profile{i + 1}_Recommended', RECOMMENDED_CATEGORY, key, 'recommended', i)
            for i, key in enumerate(t['recommended_profiles'])]
    return out


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
           f'    <category name="{CATEGORY}" displayName="$(string.Category)" />',
           f'    <category name="{RECOMMENDED_CATEGORY}" displayName="$(string.RecommendedCategory)" />',
           '  </categories>',
           '  <policies>']
    for name, category, key, kind, _index in policies(t):
        # class="Both": under Computer and User Configuration, each writing to its own root.
        if kind == 'keep':
            out += [f'    <policy name="{name}" class="Both" displayName="$(string.{name})" '
                    f'explainText="$(string.{name}_Help)" key={quoteattr(key)} valueName="{t["keep_value"]}">',
                    f'      <parentCategory ref="{category}" />',
                    '      <supportedOn ref="SUPPORTED_Windows7" />',
                    '      <enabledValue><decimal value="1" /></enabledValue>',
                    '      <disabledValue><decimal value="0" /></disabledValue>',
                    '    </policy>']
            continue
        out += [f'    <policy name="{name}" class="Both" displayName="$(string.{name})" '
                f'explainText="$(string.{name}_Help)" presentation="$(presentation.{name})" key={quoteattr(key)}>',
                f'      <parentCategory ref="{category}" />',
                '      <supportedOn ref="SUPPORTED_Windows7" />',
                '      <enabledList>',
                f'        <item key={quoteattr(key)} valueName="{ENABLED_VALUE}"><value><decimal value="1" /></value></item>',
                '      </enabledList>',
                '      <disabledList>',
                f'        <item key={quoteattr(key)} valueName="{ENABLED_VALUE}"><value><delete /></value></item>']
        if kind != 'start':
            # Values written through a valueList go with the policy.
            for item, _ in t['rows']:
                if item in t['pairs']:
                    value_name = t['value_names'][t['pairs'][item]]
                    out.append(f'        <item key={quoteattr(key)} valueName="{value_name}"><value><delete /></value></item>')
        out += ['      </disabledList>', '      <elements>']
        if kind == 'start':
            out.append(f'        <enum id="{name}_mode" valueName="{t["mode_value"]}">')
            out += enum_item(FACTORY, None, None)
            for index in range(3):
                out += enum_item(f'ProfileName{index + 1}', index, None)
            out.append('        </enum>')
        else:
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


def adml(t, language, admx_text):
    words = TEXTS[language]
    # The last paragraph of every help text says what the policy writes.
    elements = {p.get('name'): p for p in ET.fromstring(admx_text).iter('{%s}policy' % registry_shape.NS['p'])}
    registry = {name: registry_shape.sentences(policy, language) for name, policy in elements.items()}
    japanese = language == 'ja-JP'
    strings = {'Category': words['Category'], 'RecommendedCategory': words['RecommendedCategory'],
               'SUPPORTED_Windows7': words['SUPPORTED_Windows7'], FACTORY: words[FACTORY],
               'StartProfile': words['StartProfile'], 'StartProfile_Help': words['StartProfile_Help']}
    names = t['profile_names'] if japanese else PROFILE_EN
    for index in range(3):
        strings[f'ProfileName{index + 1}'] = names[index]
    for name in ('KeepProfile', 'KeepProfile_Recommended'):
        strings[name] = words[name]
        strings[f'{name}_Help'] = words[f'{name}_Help']
    for name, _category, _key, kind, index in policies(t):
        if kind in ('start', 'keep'):
            continue
        text = 'Profile' if kind == 'enforced' else 'Recommended'
        strings[name] = words[text].format(name=names[index])
        strings[f'{name}_Help'] = words[f'{text}_Help'].format(name=names[index])
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
        if sid.endswith('_Help'):
            text += '\n\n' + registry[sid[:-len('_Help')]]
        out.append(f'      <string id="{sid}">{escape(text)}</string>')
    out += ['    </stringTable>', '    <presentationTable>']
    for name, _category, _key, kind, _index in policies(t):
        if kind == 'keep':
            continue
        out.append(f'      <presentation id="{name}">')
        if kind == 'start':
            out.append(f'        <dropdownList refId="{name}_mode" noSort="true" defaultItem="0">'
                       f'{escape(words["StartProfile_Label"])}</dropdownList>')
        for item, row_text in ([] if kind == 'start' else t['rows']):
            label = t['strings'][row_text] if japanese else ENGLISH[row_text]
            out.append(f'        <dropdownList refId="{name}_{t["value_names"][item]}" noSort="true" '
                       f'defaultItem="0">{escape(label)}</dropdownList>')
        out.append('      </presentation>')
    out += ['    </presentationTable>', '  </resources>', '</policyDefinitionResources>', '']
    return '\n'.join(out)


def main():
    t = tool_tables.load()
    here = os.path.dirname(os.path.abspath(__file__))
    admx_text = admx(t)
    files = {'CorvelChg.admx': admx_text, 'ja-JP/CorvelChg.adml': adml(t, 'ja-JP', admx_text),
             'en-US/CorvelChg.adml': adml(t, 'en-US', admx_text)}
    for name, text in files.items():
        path = os.path.join(here, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, 'w', encoding='utf-8', newline='\r\n') as f:
            f.write(text)
        print(f'wrote policy/{name}')


if __name__ == '__main__':
    main()
