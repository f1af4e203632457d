#!/usr/bin/env python3
"""Draws the 28 small PNG icons of the program's Image folder (the application's icon list).

Each icon is simple pixel art made to be legible at 16 x 16; support-128.png is drawn at 128 x 128 and is
scaled down by the program like any larger picture. Only the standard library is used (zlib and struct write
the PNG files).

    make_app_icons.py [output folder]      default: resources/Image beside this tools folder
"""

import os
import struct
import sys
import zlib

CLEAR = (0, 0, 0, 0)
BLUE = (33, 99, 182, 255)
DARK_BLUE = (20, 55, 115, 255)
GREEN = (40, 140, 60, 255)
RED = (205, 40, 40, 255)
ORANGE = (230, 130, 20, 255)
GREY = (105, 105, 105, 255)
LIGHT_GREY = (185, 185, 185, 255)
GOLD = (215, 165, 25, 255)
PURPLE = (120, 60, 165, 255)
WHITE = (255, 255, 255, 255)
BLACK = (35, 35, 35, 255)
YELLOW = (245, 200, 30, 255)


class Canvas:
    def __init__(self, size=16):
        self.size = size
        self.pixels = [[CLEAR] * size for _ in range(size)]

    def set(self, x, y, colour):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.pixels[y][x] = colour

    def rect(self, x0, y0, x1, y1, colour):
        """Filled, both corners included."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        for x in range(x0, x1 + 1):
            self.set(x, y0, colour)
            self.set(x, y1, colour)
        for y in range(y0, y1 + 1):
            self.set(x0, y, colour)
            self.set(x1, y, colour)

    def line(self, x0, y0, x1, y1, colour, width=1):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        error = dx + dy
        while True:
            for ox in range(width):
                for oy in range(width):
                    self.set(x0 + ox, y0 + oy, colour)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * error
            if e2 >= dy:
                error += dy
                x0 += sx
            if e2 <= dx:
                error += dx
                y0 += sy

    def disc(self, cx, cy, radius, colour, inner=-1.0):
        """Pixels whose centre lies within radius of (cx, cy) and beyond inner."""
        for y in range(self.size):
            for x in range(self.size):
                d2 = (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2
                if inner ** 2 < d2 <= radius ** 2 or (inner < 0 and d2 <= radius ** 2):
                    self.set(x, y, colour)

    def polygon(self, points, colour):
        """Pixels whose centre lies inside the polygon."""
        for y in range(self.size):
            for x in range(self.size):
                px, py, inside = x + 0.5, y + 0.5, False
                for i in range(len(points)):
                    ax, ay = points[i]
                    bx, by = points[i - 1]
                    if (ay > py) != (by > py) and px < (bx - ax) * (py - ay) / (by - ay) + ax:
                        inside = not inside
                if inside:
                    self.set(x, y, colour)

    def art(self, rows, palette, x0=0, y0=0):
        for y, row in enumerate(rows):
            for x, key in enumerate(row):
                if key in palette:
                    self.set(x0 + x, y0 + y, palette[key])

    def png(self):
        raw = b"".join(b"\0" + bytes(c for pixel in row for c in pixel) for row in self.pixels)

        def chunk(kind, data):
            return (struct.pack(">I", len(data)) + kind + data +
                    struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

        header = struct.pack(">IIBBBBB", self.size, self.size, 8, 6, 0, 0, 0)  # 8-bit RGBA
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) +
                chunk(b"IEND", b""))


HANDSET = [
    "................",
    ".XXX............",
    "XXXXX...........",
    "XXXXX...........",
    "XXXX............",
    ".XXX............",
    ".XXX............",
    "..XXX...........",
    "...XXX..........",
    "....XXX....XX...",
    ".....XXXXXXXXX..",
    "......XXXXXXXXX.",
    "........XXXXXXX.",
    "..........XXXX..",
    "................",
    "................",
]


def arrow(c, colour, x0, y0, x1, y1):
    """A thick diagonal arrow from (x0, y0) to its head at (x1, y1)."""
    c.line(x0, y0, x1, y1, colour, 2)
    back_x = -5 if x1 > x0 else 5
    back_y = -5 if y1 > y0 else 5
    c.line(x1, y1, x1 + back_x, y1, colour, 2)
    c.line(x1, y1, x1, y1 + back_y, colour, 2)


def handset(c, colour, x0=0, y0=0):
    c.art(HANDSET, {"X": colour}, x0, y0)


def root(c):  # the server
    c.rect(3, 0, 12, 15, GREY)
    c.frame(3, 0, 12, 15, BLACK)
    for y in (3, 7, 11):
        c.rect(5, y, 10, y + 1, LIGHT_GREY)
        c.set(10, y, GREEN)


def tel(c):
    handset(c, DARK_BLUE, 1, 1)


def group(c):
    c.disc(4.5, 4, 2.4, GREEN)
    c.disc(11.5, 4, 2.4, DARK_BLUE)
    c.polygon([(0.5, 15), (1, 9), (4.5, 7.5), (8, 9), (8.5, 15)], GREEN)
    c.polygon([(8.5, 15), (8, 9.5), (11.5, 7.5), (15, 9), (15.5, 15)], DARK_BLUE)


def document(c, colour, x0=2, y0=0, x1=13, y1=15):
    c.rect(x0, y0, x1, y1, WHITE)
    c.frame(x0, y0, x1, y1, colour)
    for y in range(y0 + 3, y1 - 1, 3):
        c.rect(x0 + 2, y, x1 - 2, y, colour)


def all_rec(c):
    document(c, BLUE)


def outbound(c):
    arrow(c, GREEN, 2, 13, 13, 2)


def inbound(c):
    arrow(c, BLUE, 13, 2, 2, 13)


def missed(c):
    arrow(c, RED, 13, 2, 4, 11)
    c.line(9, 11, 14, 15, RED, 1)
    c.line(14, 11, 9, 15, RED, 1)


def auto_answer(c):
    c.disc(8, 8, 7.6, ORANGE)
    c.art([
        "...WW...",
        "..WWWW..",
        "..W..W..",
        ".WW..WW.",
        ".WWWWWW.",
        "WW....WW",
        "WW....WW",
    ], {"W": WHITE}, 4, 4)


def microphone(c, colour):
    c.art([
        "......XXXX......",
        ".....XXXXXX.....",
        ".....XXXXXX.....",
        ".....XXXXXX.....",
        ".....XXXXXX.....",
        "...X.XXXXXX.X...",
        "...X.XXXXXX.X...",
        "...X..XXXX..X...",
        "....X......X....",
        ".....XXXXXX.....",
        ".......XX.......",
        ".......XX.......",
        ".....XXXXXX.....",
        ".....XXXXXX.....",
    ], {"X": colour}, 0, 1)


def voice_calls(c):
    microphone(c, PURPLE)


def chart(c):
    c.rect(0, 15, 15, 15, BLACK)
    c.rect(0, 0, 0, 15, BLACK)
    c.rect(2, 9, 4, 14, BLUE)
    c.rect(6, 4, 8, 14, GREEN)
    c.rect(10, 7, 12, 14, ORANGE)


def magnifier(c, colour, x=0, y=0):
    c.disc(6 + x, 6 + y, 5, colour, 3.2)
    c.disc(6 + x, 6 + y, 3.2, (200, 225, 250, 255))
    c.line(9 + x, 10 + y, 13 + x, 14 + y, colour, 2)


def search_file(c):
    magnifier(c, BLACK, 1, 0)


def ok(c):
    c.line(1, 8, 5, 12, GREEN, 2)
    c.line(5, 12, 13, 3, GREEN, 2)


def lock_red(c):
    c.art([
        ".....XXXXXX.....",
        "....XX....XX....",
        "....X......X....",
        "....X......X....",
        "....X......X....",
        "..XXXXXXXXXXXX..",
        "..XXXXXXXXXXXX..",
        "..XXXXXWWXXXXX..",
        "..XXXXXWWXXXXX..",
        "..XXXXXXWXXXXX..",
        "..XXXXXXWXXXXX..",
        "..XXXXXXXXXXXX..",
        "..XXXXXXXXXXXX..",
    ], {"X": RED, "W": WHITE}, 0, 1)


def forward(c):
    c.rect(1, 6, 9, 9, BLUE)
    c.polygon([(9, 1.5), (15.5, 8), (9, 14.5)], BLUE)


def idle(c):
    handset(c, GREY, 1, 1)


def line_error(c):
    c.polygon([(8, 0.5), (15.5, 15), (0.5, 15)], YELLOW)
    c.rect(7, 5, 8, 10, BLACK)
    c.rect(7, 12, 8, 13, BLACK)


def dial(c):
    for row in range(4):
        for col in range(3):
            x, y = 2 + col * 4, 1 + row * 4
            c.rect(x, y, x + 2, y + 2, DARK_BLUE if row < 3 or col == 1 else LIGHT_GREY)


def ring(c):
    c.art([
        ".......XX.......",
        "......XXXX......",
        ".....XXXXXX.....",
        "....XXXXXXXX....",
        "....XXXXXXXX....",
        "....XXXXXXXX....",
        "...XXXXXXXXXX...",
        "...XXXXXXXXXX...",
        "..XXXXXXXXXXXX..",
        ".XXXXXXXXXXXXXX.",
        ".XXXXXXXXXXXXXX.",
        "................",
        "......XXXX......",
        ".......XX.......",
    ], {"X": GOLD}, 0, 1)


def recording(c, x1, y1, x2, y2):
    c.disc(6, 10, 5.5, RED)
    arrow(c, GREEN if y2 < y1 else BLUE, x1, y1, x2, y2)


def out_rec(c):
    recording(c, 9, 6, 14, 1)


def in_rec(c):
    recording(c, 14, 1, 9, 6)


def speaker(c, colour):
    c.rect(1, 5, 4, 10, colour)
    c.polygon([(4, 5), (9, 1), (9, 15), (4, 11)], colour)


def voice(c):
    speaker(c, PURPLE)
    c.disc(9, 8, 4.5, PURPLE, 3.5)
    c.disc(9, 8, 7.0, PURPLE, 6.0)
    c.rect(0, 0, 9, 15, CLEAR)
    speaker(c, PURPLE)


def silence(c):
    speaker(c, GREY)
    c.line(11, 5, 15, 9, RED)
    c.line(15, 5, 11, 9, RED)


def more_info(c):
    c.disc(8, 8, 7.6, BLUE)
    c.rect(7, 3, 8, 4, WHITE)
    c.rect(7, 6, 8, 12, WHITE)
    c.rect(6, 12, 9, 12, WHITE)


def search_files(c):
    document(c, BLUE, 0, 0, 10, 13)
    magnifier(c, BLACK, 4, 2)


def monitor_talk(c):
    c.art([
        ".....XXXXXX.....",
        "...XX......XX...",
        "..X..........X..",
        ".X............X.",
        ".X............X.",
        ".X............X.",
        "XXX..........XXX",
        "XXXX........XXXX",
        "XXXX........XXXX",
        "XXXX........XXXX",
        "XXXX........XXXX",
        ".XX..........XX.",
    ], {"X": DARK_BLUE}, 0, 2)


def will_save(c):
    c.rect(1, 1, 14, 14, GREEN)
    c.rect(4, 1, 11, 5, WHITE)
    c.rect(9, 2, 10, 4, GREEN)
    c.rect(3, 8, 12, 14, WHITE)
    c.rect(4, 10, 11, 10, LIGHT_GREY)
    c.rect(4, 12, 11, 12, LIGHT_GREY)


def will_delete(c):
    c.rect(6, 0, 9, 1, RED)
    c.rect(2, 2, 13, 3, RED)
    c.rect(3, 5, 12, 15, RED)
    for x in (5, 8, 10):
        c.rect(x, 7, x, 13, WHITE)


def support(c):
    size = c.size
    centre, outer, inner = size / 2, size * 0.47, size * 0.25
    c.disc(centre, centre, outer, RED, inner)
    # Four white bands across the ring.
    for y in range(size):
        for x in range(size):
            dx, dy = x + 0.5 - centre, y + 0.5 - centre
            if inner ** 2 < dx * dx + dy * dy <= outer ** 2 and abs(abs(dx) - abs(dy)) < size * 0.12:
                c.set(x, y, WHITE)


ICONS = [
    ("Root.png", root), ("Tel.png", tel), ("group.png", group), ("AllRec.png", all_rec),
    ("outbound_b.png", outbound), ("inbound_b.png", inbound), ("missed.png", missed),
    ("autoanswer.png", auto_answer), ("voice_b.png", voice_calls), ("chart.png", chart),
    ("searchfile.png", search_file), ("okicon.png", ok), ("Lock_red.png", lock_red), ("f-right.png", forward),
    ("idle.png", idle), ("lineerror.png", line_error), ("dial.png", dial), ("ring.png", ring),
    ("outrec.png", out_rec), ("inrec.png", in_rec), ("voice.png", voice), ("silence_b.png", silence),
    ("Moreinfor.png", more_info), ("SearchFiles.png", search_files), ("monitortalk.png", monitor_talk),
    ("willsavefiles.png", will_save), ("willdelfiles.png", will_delete), ("support-128.png", support),
]


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources", "Image")
    os.makedirs(folder, exist_ok=True)
    for name, draw in ICONS:
        canvas = Canvas(128 if name == "support-128.png" else 16)
        draw(canvas)
        with open(os.path.join(folder, name), "wb") as out:
            out.write(canvas.png())


if __name__ == "__main__":
    main()
