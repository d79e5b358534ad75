#!/usr/bin/python3
"""The event texts of the built program against the event table the code
reports from (log/Events.h): the program's message table (RT_MESSAGETABLE),
read with a PE reader and decoded here, has each event's identifier, with
the severity bits of its level, in Japanese and in English, and each text
takes exactly the inserts %1 to %n that the code passes; no text is left
without an event. The check is then tried on broken inputs made for each
rule, each of which it must fail.

Usage: event_messages_check.py PROGRAM.exe EVENTS_H
Debian's python3-pefile reads the PE file: run it with Debian's python3.
"""
import re
import struct
import sys

import pefile

RT_MESSAGETABLE = 11
LANGUAGES = {0x0411: 'Japanese', 0x0409: 'English'}
# The message compiler's severity of each level, in the top two bits.
SEVERITY = {'EVENTLOG_INFORMATION_TYPE': 1, 'EVENTLOG_WARNING_TYPE': 2, 'EVENTLOG_ERROR_TYPE': 3}
ROW = re.compile(r'X\((\w+),\s*(\d+),\s*(EVENTLOG_\w+),\s*(\d+)\)')
INSERT = re.compile(r'%(\d+)')
UNICODE = 0x0001


def code_table(text):
    """The events the code reports: (name, full identifier, inserts)."""
    return [(name, SEVERITY[level] << 30 | int(number), int(inserts))
            for name, number, level, inserts in ROW.findall(text)]


def decode(blob):
    """A MESSAGE_RESOURCE_DATA: blocks of identifiers, each entry a length,
    flags and the text; {identifier: text}."""
    (count,) = struct.unpack_from('<I', blob, 0)
    messages = {}
    for block in range(count):
        low, high, offset = struct.unpack_from('<III', blob, 4 + 12 * block)
        for number in range(low, high + 1):
            length, flags = struct.unpack_from('<HH', blob, offset)
            if length < 4 or offset + length > len(blob):
                raise ValueError(f'entry 0x{number:08x} runs out of the table')
            raw = blob[offset + 4:offset + length]
            text = raw.decode('utf-16-le') if flags & UNICODE else raw.decode('cp1252')
            messages[number] = text.rstrip('\0').rstrip('\r\n')
            offset += length
    return messages


def message_tables(program):
    """{language: {identifier: text}} of the program's message tables."""
    pe = pefile.PE(program)
    tables = {}
    if not hasattr(pe, 'DIRECTORY_ENTRY_RESOURCE'):
        return tables
    for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if kind.id != RT_MESSAGETABLE:
            continue
        for name in kind.directory.entries:
            for language in name.directory.entries:
                data = language.data.struct
                tables[language.id] = decode(pe.get_data(data.OffsetToData, data.Size))
    return tables


def faults(rows, tables):
    """Every way the texts and the table disagree, one line each."""
    found = []
    numbers = [number for _, number, _ in rows]
    if len(set(numbers)) != len(numbers):
        found.append('an identifier is in the event table twice')
    for language, name in LANGUAGES.items():
        if language not in tables:
            found.append(f'no {name} message table')
    for language, messages in tables.items():
        language_name = LANGUAGES.get(language, f'language 0x{language:04x}')
        for event, number, inserts in rows:
            if number not in messages:
                found.append(f'{event} (0x{number:08x}) has no {language_name} text')
                continue
            taken = sorted({int(n) for n in INSERT.findall(messages[number])})
            if taken != list(range(1, inserts + 1)):
                found.append(f'{event}: the {language_name} text takes inserts {taken}, the code passes {inserts}')
        for number in sorted(set(messages) - set(numbers)):
            found.append(f'the {language_name} text 0x{number:08x} belongs to no event of the table')
    return found


def broken_inputs(rows, tables):
    """Inputs made for each rule, with what the check must say of each."""
    first = rows[0]
    one_more = [(first[0], first[1], first[2] + 1)] + rows[1:]
    other_level = [(first[0], first[1] ^ 0xC0000000, first[2])] + rows[1:]
    no_english = {language: messages for language, messages in tables.items() if language != 0x0409}
    without_insert = {language: dict(messages) for language, messages in tables.items()}
    number = next(number for _, number, inserts in rows if inserts > 0)
    without_insert[0x0411][number] = without_insert[0x0411][number].replace('%1', '')
    orphan = {language: dict(messages) for language, messages in tables.items()}
    orphan[0x0409][0x40000001] = 'left over'
    twice = rows + [rows[0]]
    return [
        ('an event with one insert more than its texts', one_more, tables, 'the code passes'),
        ('an event of another level', other_level, tables, 'has no'),
        ('no English table', rows, no_english, 'no English message table'),
        ('a Japanese text without its %1', rows, without_insert, 'the Japanese text takes'),
        ('a text of no event', rows, orphan, 'belongs to no event'),
        ('an identifier twice', twice, tables, 'twice'),
    ]


def main():
    program, events_h = sys.argv[1:3]
    passed = failed = 0

    def check(what, ok, detail=''):
        nonlocal passed, failed
        if ok:
            passed += 1
        else:
            failed += 1
            print(f'FAILED: {what}' + (f': {detail}' if detail else ''))

    with open(events_h, encoding='utf-8') as f:
        rows = code_table(f.read())
    check('the event table has events', len(rows) > 0)
    try:
        tables = message_tables(program)
    except (OSError, pefile.PEFormatError, ValueError, struct.error) as error:
        check('the program has a message table that can be read', False, str(error))
        print(f'{passed} passed, {failed} failed')
        return 1
    found = faults(rows, tables)
    check('the texts and the event table agree', not found, '; '.join(found))
    # The broken inputs are made from the real ones, which must be whole.
    for what, broken_rows, broken_tables, says in [] if found else broken_inputs(rows, tables):
        said = faults(broken_rows, broken_tables)
        check(f'fails on {what}', any(says in line for line in said), '; '.join(said) or 'no fault found')
    cut = struct.pack('<IIII', 1, 5, 5, 16) + struct.pack('<HH', 40, UNICODE) + b'a\0'
    try:
        decode(cut)
        check('fails on an entry that runs out of its table', False)
    except ValueError:
        check('fails on an entry that runs out of its table', True)
    print(f'{passed} passed, {failed} failed')
    return 0 if failed == 0 else 1


if __name__ == '__main__':
    sys.exit(main())
