#!/usr/bin/env python3
"""Writes the small images of the foundation's image tests: PNGs of each decoding path, 32-bpp and 24-bpp
bitmaps, icon files and raw icon resources, some of them deliberately damaged.

The test DLL's resource script (tests/foundation/ImageResources.rc) names every file; the tests know the pixels
written here, so a change here is a change to the tests' expectations.

    make_image_fixtures.py [output folder]      default: tests/foundation/images beside this tools folder
"""

import os
import struct
import sys
import zlib

# ---- PNG


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)


def png(width, height, bit_depth, colour_type, rows, extra=()):
    """rows: the packed bytes of each row without the filter byte; extra: (kind, data) chunks before IDAT."""
    header = struct.pack(">IIBBBBB", width, height, bit_depth, colour_type, 0, 0, 0)
    raw = b"".join(b"\0" + row for row in rows)
    body = chunk(b"IHDR", header) + b"".join(chunk(k, d) for k, d in extra)
    return b"\x89PNG\r\n\x1a\n" + body + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


# RGBA pixels of the 4 x 3 picture (top row first): opaque, partial and clear pixels side by side.
RGBA = [
    [(255, 0, 0, 255), (0, 255, 0, 128), (0, 0, 255, 0), (255, 255, 255, 255)],
    [(10, 20, 30, 255), (200, 100, 50, 64), (0, 0, 0, 255), (128, 128, 128, 200)],
    [(1, 2, 3, 1), (250, 240, 230, 254), (90, 80, 70, 255), (0, 0, 0, 0)],
]


def rgba_png(extra=()):
    return png(4, 3, 8, 6, [bytes(c for p in row for c in p) for row in RGBA], extra)


def palette_png():
    """2 bits per pixel over red, green, blue, white; tRNS gives the first three alphas 255, 0, 128."""
    plte = bytes((255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255))
    rows = [bytes((0b00011011,)), bytes((0b11100100,))]  # indexes 0 1 2 3, then 3 2 1 0
    return png(4, 2, 2, 3, rows, [(b"PLTE", plte), (b"tRNS", bytes((255, 0, 128)))])


def grey16_png():
    return png(3, 1, 16, 0, [struct.pack(">HHH", 0xABCD, 0x0000, 0xFFFF)])


def truncated_png():
    """The RGBA picture cut off half-way through its image data."""
    whole = rgba_png()
    idat = whole.index(b"IDAT")
    length = struct.unpack(">I", whole[idat - 4:idat])[0]
    return whole[:idat + 4 + length // 2]


# ---- Bitmaps (BITMAPINFOHEADER forms)


def info_header(width, height, bits, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, 0, 0, 0, 0)


def bmp_file(info_and_pixels):
    return struct.pack("<2sIHHI", b"BM", 14 + len(info_and_pixels), 0, 0, 14 + 40) + info_and_pixels


def strip32():
    """48 x 16, bottom-up, three cells: red opaque with a clear one-pixel frame, green at alpha 128, blue opaque."""
    cells = [(0, 0, 255), (0, 255, 0), (255, 0, 0)]  # blue, green, red bytes of each cell
    rows = []
    for y in range(16):
        row = b""
        for i, (b, g, r) in enumerate(cells):
            for x in range(16):
                if i == 0 and (x in (0, 15) or y in (0, 15)):
                    row += b"\0\0\0\0"
                else:
                    row += bytes((b, g, r, 128 if i == 1 else 255))
        rows.append(row)
    pixels = b"".join(rows)
    return info_header(48, 16, 32, len(pixels)) + pixels


def short32():
    """A 16 x 16 32-bpp bitmap one byte short of its pixels."""
    pixels = b"\x40" * (16 * 16 * 4 - 1)
    return info_header(16, 16, 32, 16 * 16 * 4) + pixels


def strip24():
    """48 x 16, 24 bpp: magenta ground (the corner pixel, so the mask colour) with a 8 x 8 square per cell."""
    colours = [(0, 0, 255), (0, 255, 0), (255, 0, 0)]  # blue, green, red bytes
    rows = []
    for y in range(16):
        row = b""
        for b, g, r in colours:
            for x in range(16):
                row += bytes((b, g, r)) if 4 <= x < 12 and 4 <= y < 12 else b"\xff\x00\xff"
        rows.append(row)
    pixels = b"".join(rows)
    return info_header(48, 16, 24, len(pixels)) + pixels


def close_glyphs():
    """64 x 15, 24 bpp, four 16 x 15 glyphs over a magenta ground: a cross in black, red, blue and green
    (normal, hot, caption close, caption close under Aero)."""
    colours = [(0, 0, 0), (0, 0, 200), (200, 0, 0), (0, 160, 0)]  # blue, green, red bytes
    stride = (64 * 3 + 3) // 4 * 4
    rows = []
    for y in reversed(range(15)):
        row = b""
        for b, g, r in colours:
            for x in range(16):
                on_cross = 4 <= x < 12 and 3 <= y < 11 and (x - 4 == y - 3 or x - 4 == 10 - y)
                row += bytes((b, g, r)) if on_cross else b"\xff\x00\xff"
        rows.append(row + b"\0" * (stride - len(row)))
    pixels = b"".join(rows)
    return info_header(64, 15, 24, len(pixels)) + pixels


def small24(b, g, r):
    """2 x 2, 24 bpp, one colour (rows padded to 4 bytes)."""
    row = bytes((b, g, r)) * 2 + b"\0\0"
    return info_header(2, 2, 24, 16) + row * 2


# ---- Icons


def icon_image(size, bits, colour, alpha=255):
    """An icon image (header of double height, pixels, AND mask) of one colour (r, g, b)."""
    r, g, b = colour
    mask_stride = ((size + 31) // 32) * 4
    mask = b"\0" * (mask_stride * size)
    if bits == 32:
        pixels = bytes((b, g, r, alpha)) * (size * size)
        return info_header(size, size * 2, 32, len(pixels) + len(mask)) + pixels + mask
    # 8 bpp: palette entry 1 is the colour.
    palette = b"\0\0\0\0" + bytes((b, g, r, 0)) + b"\0\0\0\0" * 254
    pixels = b"\x01" * (size * size)
    return info_header(size, size * 2, 8, len(pixels) + len(mask)) + palette + pixels + mask


def ico_file(images):
    """images: (size, bits, data)."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, bits, data in images:
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, bits, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, _, data in images)



def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "tests", "foundation", "images")
    os.makedirs(out, exist_ok=True)
    icon32 = icon_image(16, 32, (0, 160, 0), 200)
    files = {
        "rgba.png": rgba_png(),
        "rgba_bkgd.png": rgba_png([(b"bKGD", struct.pack(">HHH", 0, 255, 0))]),
        "palette_trns.png": palette_png(),
        "grey16.png": grey16_png(),
        "truncated.png": truncated_png(),
        "not_png.bin": b"this is not a PNG image",
        "nine_bytes.png": b"\x89PNG\r\n\x1a\n\0",
        "strip32.bmp": bmp_file(strip32()),
        "short32.bmp": bmp_file(short32()),
        "strip24.bmp": bmp_file(strip24()),
        "grey24.bmp": bmp_file(small24(128, 128, 128)),
        "close_glyphs.bmp": bmp_file(close_glyphs()),
        # Two 16 x 16 entries (8 bpp red, then 32 bpp green) and a 32 x 32 blue one.
        "group16.ico": ico_file([(16, 8, icon_image(16, 8, (255, 0, 0))), (16, 32, icon32),
                                 (32, 32, icon_image(32, 32, (0, 0, 255)))]),
        # A lone 32-bpp RT_ICON (header height 32 for 16 rows) and the same cut short.
        "icon32.bin": icon32,
        "icon32_short.bin": icon32[:40 + 500],
    }
    for name, data in files.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
