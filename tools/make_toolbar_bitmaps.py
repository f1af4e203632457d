#!/usr/bin/env python3
"""Draws the 24 x 24 toolbar bitmaps of the program's Image folder.

The panes load them from file as device-independent bitmaps and add them to their toolbar image lists with white
as the mask colour, so every pixel left white is transparent. The drawing helpers are those of make_app_icons.py.

    make_toolbar_bitmaps.py [output folder]      default: resources/Image beside this tools folder
"""

import os
import struct
import sys

from make_app_icons import BLACK, BLUE, DARK_BLUE, GREEN, GREY, LIGHT_GREY, RED, WHITE, Canvas

SIZE = 24


def bmp(canvas):
    """24-bit bottom-up BMP; transparent pixels become the white mask colour."""
    stride = (SIZE * 3 + 3) & ~3
    rows = []
    for row in reversed(canvas.pixels):
        data = b"".join(bytes((b, g, r)) if a else b"\xff\xff\xff" for r, g, b, a in row)
        rows.append(data + b"\0" * (stride - len(data)))
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


def tree_ftp(c):
    """FTP settings: a server with an arrow going up to it."""
    c.rect(3, 2, 16, 17, GREY)
    c.rect(4, 3, 15, 16, LIGHT_GREY)
    for y in (5, 9, 13):
        c.rect(5, y, 14, y + 1, DARK_BLUE)
        c.set(13, y, GREEN)
    c.rect(8, 18, 11, 20, GREY)
    c.rect(3, 21, 16, 21, BLACK)
    c.polygon([(19.5, 4), (24, 10), (21, 10), (21, 20), (18, 20), (18, 10), (15, 10)], BLUE)


def clear_log(c):
    """Clear the log: a list struck through by a red cross."""
    c.rect(2, 2, 17, 21, GREY)
    c.rect(3, 3, 16, 20, WHITE)
    for y in (6, 10, 14, 18):
        c.rect(5, y, 14, y, DARK_BLUE)
    c.line(11, 10, 21, 20, RED, width=2)
    c.line(21, 10, 11, 20, RED, width=2)


BITMAPS = [("treeftp.bmp", tree_ftp), ("clear.bmp", clear_log)]


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources", "Image")
    os.makedirs(folder, exist_ok=True)
    for name, draw in BITMAPS:
        canvas = Canvas(SIZE)
        draw(canvas)
        with open(os.path.join(folder, name), "wb") as out:
            out.write(bmp(canvas))


if __name__ == "__main__":
    main()
