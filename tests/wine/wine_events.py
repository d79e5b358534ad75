#!/usr/bin/env python3
"""The event-log reports that Wine printed for a run of the program, one
line each: "TYPE ID LEVEL insert|insert|...", TYPE and ID in hex as
ReportEventW got them (the ID with its severity bits), LEVEL the channel
level of the inserts (err, warn or trace), the inserts in UTF-8.

Wine's ReportEventW is a stub that prints, with
WINEDEBUG=-all,fixme+advapi,+eventlog, a fixme line on the advapi channel
with the type and the identifier, then one line a insert on the eventlog
channel, as L"..." with \\\\, \\", \\n, \\r, \\t and \\xxxx for every other
character it does not print as it is.

Usage: wine_events.py FILE  (what the run wrote to its standard error)
"""
import re
import sys

REPORT = re.compile(r'fixme:advapi:ReportEventW \([0-9A-Fa-f]+,0x([0-9a-f]+),0x[0-9a-f]+,0x([0-9a-f]+),')
INSERT = re.compile(r'(err|warn|trace):eventlog:ReportEventW L"(.*)"$')
ESCAPE = re.compile(r'\\([0-9a-fA-F]{4}|[nrt\\"])')
NAMED = {'n': '\n', 'r': '\r', 't': '\t', '\\': '\\', '"': '"'}


def unescape(text):
    return ESCAPE.sub(lambda m: NAMED.get(m.group(1)) or chr(int(m.group(1), 16)), text)


def reports(lines):
    found = []
    for line in lines:
        line = line.rstrip('\r\n')
        report = REPORT.search(line)
        if report:
            found.append([report.group(1), report.group(2), '', []])
            continue
        insert = INSERT.search(line)
        if insert and found:
            found[-1][2] = insert.group(1)
            found[-1][3].append(unescape(insert.group(2)))
    return found


def main():
    with open(sys.argv[1], encoding='ascii', errors='replace') as f:
        for kind, number, level, inserts in reports(f):
            print(f'{kind} {number} {level} {"|".join(inserts)}'.rstrip())


if __name__ == '__main__':
    main()
