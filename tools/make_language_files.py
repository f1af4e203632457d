#!/usr/bin/env python3
"""Writes the program's language files from their UTF-8 sources.

Each language's texts live in resources/Lang/<LANG>/*.ini as UTF-8 "key=text" lines, one file per area of the
program, so that areas add their keys without touching each other's files. The program reads Lang\\<LANG>.ini as
UTF-16 LE with a BOM, CRLF line ends and one [Language] section: this script joins the area files (in name order)
into that form. A key given twice in one language is an error, since the profile reader would see only the first.

usage: make_language_files.py <resources/Lang> <output folder>
"""
import pathlib
import sys


def join_language(folder):
    keys = {}
    lines = ["[Language]"]
    for area in sorted(folder.glob("*.ini")):
        for number, line in enumerate(area.read_text(encoding="utf-8").splitlines(), 1):
            if not line.strip() or line.startswith(";"):
                continue
            key, sep, _ = line.partition("=")
            if not sep:
                sys.exit(f"{area}:{number}: not a key=text line")
            if key in keys:
                sys.exit(f"{area}:{number}: key {key} is also in {keys[key]}")
            keys[key] = area.name
            lines.append(line)
    return "\r\n".join(lines) + "\r\n"


def main():
    source, output = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    output.mkdir(parents=True, exist_ok=True)
    for folder in sorted(p for p in source.iterdir() if p.is_dir()):
        text = join_language(folder)
        target = output / f"{folder.name}.ini"
        data = "\ufeff".encode("utf-16-le") + text.encode("utf-16-le")
        if not target.exists() or target.read_bytes() != data:
            target.write_bytes(data)


if __name__ == "__main__":
    main()
