#!/usr/bin/env python3
"""Prepares a skin source folder for the resource compiler: the INI texts become UTF-16LE files with a byte-order
mark and CR LF after every line, and a resource script lists them as TEXTFILE resources beside the images as
PNG resources. Linked without code, the script's resources make the skin module.

The folder holds themes.ini, whose [File.<name>] section names the skin's INI <name>.ini, and an images folder
of PNG files. Resource names follow the skin's lookup: THEMES_INI, <NAME>_INI and <NAME>_PNG, each '.' and
'\\' of a file name becoming '_'.

    make_skin_module.py <skin source folder> <resource script>      the texts are written beside the script
"""

import os
import sys


def utf16_text(text):
    """The text as the skin reads it: UTF-16LE with a byte-order mark, CR LF after every line, the last
    included (a last line without its CR would never be read)."""
    lines = text.splitlines()
    return ("\ufeff" + "".join(line + "\r\n" for line in lines)).encode("utf-16-le")


def resource_name(file_name):
    return file_name.replace(".", "_").replace("\\", "_").upper()


def skin_file_name(themes_text):
    """The <name> of the first [File.<name>] section."""
    start = themes_text.find("[File.")
    end = themes_text.find("]", start)
    if start < 0 or end < 0:
        sys.exit("themes.ini names no [File.<name>] section")
    return themes_text[start + len("[File."):end]


def rc_entry(name, kind, path):
    return '%s %s "%s"\n' % (name, kind, path.replace("\\", "/"))


def write_text_resource(out_dir, name, text):
    """Writes the UTF-16 form of text beside the script; the script's line for it."""
    path = os.path.join(out_dir, name + ".txt")
    with open(path, "wb") as f:
        f.write(utf16_text(text))
    return rc_entry(name, "TEXTFILE", path)


def read_text(path):
    with open(path, encoding="utf-8-sig") as f:
        return f.read()


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    source, rc_path = sys.argv[1], sys.argv[2]
    out_dir = os.path.dirname(os.path.abspath(rc_path))
    os.makedirs(out_dir, exist_ok=True)
    themes = read_text(os.path.join(source, "themes.ini"))
    name = skin_file_name(themes)
    script = write_text_resource(out_dir, "THEMES_INI", themes)
    script += write_text_resource(out_dir, resource_name(name + ".ini"), read_text(os.path.join(source, name + ".ini")))
    images = os.path.join(source, "images")
    for image in sorted(os.listdir(images)):
        if image.lower().endswith(".png"):
            script += rc_entry(resource_name(image), "PNG", os.path.abspath(os.path.join(images, image)))
    with open(rc_path, "w", encoding="utf-8") as f:
        f.write(script)


if __name__ == "__main__":
    main()
