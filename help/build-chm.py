#!/usr/bin/env python3
"""Compiles the help file: the UTF-8 sources in help/ are written in code page
932, the ANSI code page of the help's language (0x411), in which the HTML Help
viewer reads the title, the contents and the index; the topic pages go along
with a matching charset declaration. A character that code page 932 cannot
hold stops the build with its file, line and column.

Usage: build-chm.py SOURCE_FOLDER WORK_FOLDER OUTPUT_CHM
"""
import pathlib
import shutil
import subprocess
import sys

PROJECT = "CorvelChg.hhp"
# What the viewer reads as text; anything else (the style sheet) is copied.
TEXT_SUFFIXES = {".hhp", ".hhc", ".hhk", ".html"}
UTF8_DECLARATION = "charset=utf-8"
CP932_DECLARATION = "charset=shift_jis"  # the name browsers and the viewer give code page 932


def fail(message):
    print(f"build-chm: {message}", file=sys.stderr)
    sys.exit(1)


def where(text, index):
    line = text.count("\n", 0, index) + 1
    column = index - (text.rfind("\n", 0, index) + 1) + 1
    return f"line {line}, column {column}"


def to_cp932(path):
    text = path.read_text(encoding="utf-8")
    if path.suffix in {".html", ".hhc", ".hhk"}:
        if UTF8_DECLARATION not in text:
            fail(f"{path.name}: no '{UTF8_DECLARATION}' declaration to replace")
        text = text.replace(UTF8_DECLARATION, CP932_DECLARATION)
    try:
        data = text.encode("cp932")
    except UnicodeEncodeError as error:
        character = text[error.start]
        fail(f"{path.name}, {where(text, error.start)}: U+{ord(character):04X} '{character}' "
             "has no place in code page 932; use another character")
    if data.decode("cp932") != text:
        fail(f"{path.name}: does not read back the same from code page 932")
    return data


def main():
    if len(sys.argv) != 4:
        fail("usage: build-chm.py SOURCE_FOLDER WORK_FOLDER OUTPUT_CHM")
    source, work, output = (pathlib.Path(argument) for argument in sys.argv[1:])
    if work.exists():
        shutil.rmtree(work)
    work.mkdir(parents=True)
    for path in sorted(source.iterdir()):
        if path.suffix in TEXT_SUFFIXES:
            (work / path.name).write_bytes(to_cp932(path))
        elif path.suffix == ".css":
            shutil.copy(path, work / path.name)
    with open(work / "chmcmd.log", "wb") as log:
        result = subprocess.run(["chmcmd", "--no-html-scan", PROJECT], cwd=work, stdout=log, stderr=subprocess.STDOUT)
    compiled = work / "CorvelChg.chm"
    if result.returncode != 0 or not compiled.exists():
        fail(f"chmcmd failed; see {work / 'chmcmd.log'}")
    shutil.copy(compiled, output)


if __name__ == "__main__":
    main()
