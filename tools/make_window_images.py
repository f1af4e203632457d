#!/usr/bin/env python3
"""Draws the pictures of the program's main window: the application icon (window and tray) and the two caption
icons of the navigation tree and the right-hand view, as .ico files with 16 x 16 and 32 x 32 images of 32-bit
colour; and the OEM logo OEM/OEM.bmp (77 x 48, 24-bit), which the About box, the start-up window and the main pane
show.

Each icon is drawn at 32 x 32 from a few shapes and halved for 16 x 16. Only the standard library is used.

    make_window_images.py [resources folder]      default: resources beside this tools folder
"""

import os
import struct
import sys

CLEAR = (0, 0, 0, 0)
BLUE = (33, 99, 182, 255)
DARK_BLUE = (20, 55, 115, 255)
WHITE = (255, 255, 255, 255)
RED = (205, 40, 40, 255)
GREY = (105, 105, 105, 255)
GOLD = (215, 165, 25, 255)


def canvas():
    return [[CLEAR] * 32 for _ in range(32)]


def fill_rect(pixels, x0, y0, x1, y1, colour):
    for y in range(y0, y1):
        for x in range(x0, x1):
            pixels[y][x] = colour


def fill_circle(pixels, cx, cy, r, colour):
    for y in range(32):
        for x in range(32):
            if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                pixels[y][x] = colour


def server_icon():
    # A recorder: a blue disc with a white ring and a red recording dot.
    p = canvas()
    fill_circle(p, 16, 16, 15, DARK_BLUE)
    fill_circle(p, 16, 16, 13, BLUE)
    fill_circle(p, 16, 16, 10, WHITE)
    fill_circle(p, 16, 16, 7, RED)
    return p


def tree_icon():
    # Navigation: a root box with two branches.
    p = canvas()
    fill_rect(p, 3, 3, 13, 11, GOLD)
    fill_rect(p, 7, 11, 9, 27, GREY)
    fill_rect(p, 9, 16, 17, 18, GREY)
    fill_rect(p, 9, 25, 17, 27, GREY)
    fill_rect(p, 17, 13, 29, 21, BLUE)
    fill_rect(p, 17, 22, 29, 30, BLUE)
    return p


def view_icon():
    # A list pane: a framed sheet with rows.
    p = canvas()
    fill_rect(p, 3, 3, 29, 29, DARK_BLUE)
    fill_rect(p, 5, 5, 27, 27, WHITE)
    fill_rect(p, 5, 5, 27, 9, BLUE)
    for y in (12, 17, 22):
        fill_rect(p, 8, y, 24, y + 2, GREY)
    return p


def halve(pixels):
    small = []
    for y in range(16):
        row = []
        for x in range(16):
            block = [pixels[2 * y + dy][2 * x + dx] for dy in (0, 1) for dx in (0, 1)]
            alpha = sum(c[3] for c in block)
            if alpha == 0:
                row.append(CLEAR)
                continue
            colour = tuple(sum(c[i] * c[3] for c in block) // alpha for i in range(3))
            row.append(colour + (alpha // 4,))
        small.append(row)
    return small


def icon_image(pixels):
    size = len(pixels)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes((b, g, r, a)) for row in reversed(pixels) for (r, g, b, a) in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + colour + bytes(mask)


def write_icon(path, picture):
    images = [picture, halve(picture)]
    blobs = [icon_image(image) for image in images]
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for image, blob in zip(images, blobs):
        size = len(image)
        data += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    data += b"".join(blobs)
    with open(path, "wb") as out:
        out.write(data)


def oem_logo():
    # The recorder disc on a light band, 77 x 48: what a branded copy replaces with its maker's logo.
    width, height = 77, 48
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            colour = (235, 240, 248)
            d = ((x + 0.5 - 24) ** 2 + (y + 0.5 - 24) ** 2) ** 0.5
            if d <= 20:
                colour = DARK_BLUE[:3] if d > 17 else BLUE[:3] if d > 13 else WHITE[:3] if d > 9 else RED[:3]
            elif 48 <= x <= 72 and y in range(14, 18) or 48 <= x <= 66 and y in range(22, 26) \
                    or 48 <= x <= 70 and y in range(30, 34):
                colour = GREY[:3]
            row.append(colour)
        rows.append(row)
    stride = (width * 3 + 3) & ~3
    pixels = b"".join(bytes(c for (r, g, b) in row for c in (b, g, r)).ljust(stride, b"\0") for row in reversed(rows))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources")
    write_icon(os.path.join(folder, "Server.ico"), server_icon())
    write_icon(os.path.join(folder, "TreeCaption.ico"), tree_icon())
    write_icon(os.path.join(folder, "ViewCaption.ico"), view_icon())
    with open(os.path.join(folder, "OEM", "OEM.bmp"), "wb") as out:
        out.write(oem_logo())


if __name__ == "__main__":
    main()
