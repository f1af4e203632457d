#!/usr/bin/env python3
"""Draws the toolbar bitmaps of the program's Image folder: 24 x 24 for the panes, 32 x 32 for the main view.

The windows load them from file as device-independent bitmaps and add them to their toolbar image lists with white
as the mask colour, so every pixel left white is transparent. The drawing helpers are those of make_app_icons.py.

    make_toolbar_bitmaps.py [output folder]      default: resources/Image beside this tools folder
"""

import os
import struct
import sys

from make_app_icons import BLACK, BLUE, DARK_BLUE, GOLD, GREEN, GREY, LIGHT_GREY, ORANGE, RED, WHITE, Canvas

PANE = 24
MAIN = 32


def bmp(canvas):
    """24-bit bottom-up BMP; transparent pixels become the white mask colour."""
    size = canvas.size
    stride = (size * 3 + 3) & ~3
    rows = []
    for row in reversed(canvas.pixels):
        data = b"".join(bytes((b, g, r)) if a else b"\xff\xff\xff" for r, g, b, a in row)
        rows.append(data + b"\0" * (stride - len(data)))
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, size, size, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
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


def speaker(c, x, y, colour):
    """A loudspeaker 9 wide and 12 high from (x, y)."""
    c.rect(x, y + 4, x + 3, y + 7, colour)
    c.polygon([(x + 3, y + 4), (x + 9, y), (x + 9, y + 12), (x + 3, y + 8)], colour)


def monitor_talk(c):
    """Listen to a channel: a loudspeaker with two sound waves."""
    waves = Canvas(c.size)
    waves.disc(10, 12, 7, GREEN, inner=5.6)
    waves.disc(10, 12, 10.5, GREEN, inner=9.1)
    for y in range(c.size):
        for x in range(14, c.size):
            if waves.pixels[y][x][3]:
                c.set(x, y, GREEN)
    speaker(c, 3, 6, DARK_BLUE)


def stop_monitor(c):
    """Stop listening: a loudspeaker struck out by a red cross."""
    speaker(c, 3, 6, DARK_BLUE)
    c.line(14, 7, 21, 15, RED, width=2)
    c.line(21, 7, 14, 15, RED, width=2)


def channel_settings(c):
    """Channel parameters: three sliders."""
    for i, knob in enumerate((14, 7, 17)):
        y = 5 + i * 7
        c.rect(2, y, 21, y + 1, GREY)
        c.rect(knob - 2, y - 2, knob + 2, y + 3, BLUE)
        c.frame(knob - 2, y - 2, knob + 2, y + 3, DARK_BLUE)


def handset(c, x, y, colour):
    """A telephone handset 14 wide and 8 high from (x, y)."""
    c.rect(x + 2, y, x + 11, y + 2, colour)
    c.rect(x, y + 1, x + 3, y + 7, colour)
    c.rect(x + 10, y + 1, x + 13, y + 7, colour)


def call_out(c):
    """Dial out: a handset with an arrow leaving it."""
    handset(c, 2, 12, BLACK)
    c.polygon([(22, 2), (22, 10), (19, 7), (14, 12), (12, 10), (17, 5), (14, 2)], GREEN)


def gear(c, cx, cy, outer, inner, colour):
    import math
    c.disc(cx, cy, outer - 2, colour)
    for k in range(8):
        a = k * math.pi / 4
        x, y = cx + math.cos(a) * (outer - 1.5), cy + math.sin(a) * (outer - 1.5)
        c.disc(x, y, 2.6, colour)
    c.disc(cx, cy, inner, (0, 0, 0, 0))


def settings_big(c):
    """Settings: a gear."""
    gear(c, 16, 16, 14, 5, GREY)
    c.disc(16, 16, 9.5, LIGHT_GREY, inner=5)


def about(c):
    """About: an "i" in a blue disc."""
    c.disc(16, 16, 14, BLUE)
    c.rect(14, 7, 17, 10, WHITE)
    c.rect(14, 13, 17, 25, WHITE)
    c.rect(12, 13, 14, 14, WHITE)
    c.rect(12, 24, 19, 25, WHITE)


def person(c, x, colour):
    c.disc(x + 7, 9, 5, colour)
    c.polygon([(x, 28), (x + 2, 18), (x + 12, 18), (x + 14, 28)], colour)


def send_user(c):
    """A person with an arrow."""
    person(c, 3, BLUE)
    c.polygon([(30, 20), (23, 13), (23, 17), (17, 17), (17, 23), (23, 23), (23, 27)], GREEN)


def padlock(c, colour, open_shackle):
    """A padlock body with its shackle, closed or swung open to the right."""
    left = 17 if open_shackle else 9
    shackle = Canvas(c.size)
    shackle.disc(left + 7, 11, 7.5, GREY, inner=4.5)
    for y in range(0, 12):
        for x in range(c.size):
            if shackle.pixels[y][x][3]:
                c.set(x, y, GREY)
    c.rect(left, 11, left + 2, 15, GREY)
    if not open_shackle:
        c.rect(left + 12, 11, left + 14, 15, GREY)
    c.rect(6, 15, 25, 29, colour)
    c.frame(6, 15, 25, 29, BLACK)
    c.rect(14, 19, 17, 25, BLACK)


def lock_green(c):
    """Lock (log out): a closed green padlock."""
    padlock(c, GREEN, False)


def unlock(c):
    """Unlock (log in): an open padlock."""
    padlock(c, GOLD, True)


def vertical_split(c):
    """Show or hide the navigation: a bar with arrows to either side."""
    c.rect(15, 3, 16, 28, DARK_BLUE)
    c.polygon([(2, 16), (9, 9), (9, 13), (13, 13), (13, 19), (9, 19), (9, 23)], ORANGE)
    c.polygon([(30, 16), (23, 9), (23, 13), (19, 13), (19, 19), (23, 19), (23, 23)], ORANGE)


def sheet(c, x0, y0, x1, y1):
    """A page with lines of text."""
    c.rect(x0, y0, x1, y1, GREY)
    c.rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, WHITE)
    for y in range(y0 + 4, y1 - 2, 4):
        c.rect(x0 + 3, y, x1 - 3, y, DARK_BLUE)


def cross(c, x0, y0, size, colour=RED):
    """A cross size pixels square from (x0, y0)."""
    c.line(x0, y0, x0 + size, y0 + size, colour, width=2)
    c.line(x0 + size, y0, x0, y0 + size, colour, width=2)


def plus(c, cx, cy, colour=GREEN):
    """A plus sign 9 pixels across centred on (cx, cy)."""
    c.rect(cx - 4, cy - 1, cx + 4, cy + 1, colour)
    c.rect(cx - 1, cy - 4, cx + 1, cy + 4, colour)


def pencil(c):
    """A pencil leaning from the bottom left to the top right."""
    c.polygon([(9, 21), (9, 17), (19, 7), (23, 11), (13, 21)], GOLD)
    c.polygon([(19, 7), (21, 5), (25, 9), (23, 11)], RED)
    c.polygon([(9, 21), (9, 18), (12, 21)], BLACK)


def lens(c, cx, cy, radius, colour):
    """A magnifying glass: a ring around (cx, cy) and its handle to the bottom right."""
    c.disc(cx, cy, radius, colour, inner=radius - 2.2)
    c.line(int(cx + radius * 0.7), int(cy + radius * 0.7), int(cx + radius * 0.7) + 5,
           int(cy + radius * 0.7) + 5, colour, width=3)


def book(c):
    """The phone book: a blue cover with a white spine label."""
    c.rect(2, 2, 15, 21, BLUE)
    c.rect(2, 2, 3, 21, DARK_BLUE)
    c.rect(6, 6, 12, 9, WHITE)
    c.frame(6, 6, 12, 9, DARK_BLUE)


def play(c):
    """Play the recording: a green triangle pointing right."""
    c.polygon([(6, 3), (20, 12), (6, 21)], GREEN)


def edit_file(c):
    """Edit the notes: a page with a pencil."""
    sheet(c, 2, 1, 15, 20)
    pencil(c)


def delete_file(c):
    """Delete the recording: a page struck out by a red cross."""
    sheet(c, 2, 1, 15, 20)
    cross(c, 11, 11, 10)


def save_as(c):
    """Copy to a folder: a folder with a green arrow going down into it."""
    c.rect(1, 9, 8, 11, GOLD)
    c.rect(1, 11, 22, 22, GOLD)
    c.frame(1, 11, 22, 22, ORANGE)
    c.polygon([(9, 1), (15, 1), (15, 8), (19, 8), (12, 15), (5, 8), (9, 8)], GREEN)


def search_file(c):
    """Search the call records: a page under a magnifying glass."""
    sheet(c, 1, 1, 13, 18)
    lens(c, 14, 12, 6.5, DARK_BLUE)


def excel(c):
    """Export to a spreadsheet: a green grid."""
    c.rect(2, 3, 21, 20, GREEN)
    c.rect(3, 4, 20, 19, WHITE)
    c.rect(3, 4, 20, 7, GREEN)
    for x in (8, 14):
        c.rect(x, 4, x, 19, GREEN)
    for y in (11, 15):
        c.rect(3, y, 20, y, GREEN)


def more_info(c):
    """Details: an "i" in a blue disc."""
    c.disc(12, 12, 10.5, BLUE)
    c.rect(11, 5, 13, 7, WHITE)
    c.rect(11, 10, 13, 18, WHITE)
    c.rect(9, 10, 10, 10, WHITE)
    c.rect(9, 18, 15, 18, WHITE)


def quick_search(c):
    """Quick search: a magnifying glass with a lightning bolt."""
    lens(c, 9, 9, 7, DARK_BLUE)
    c.polygon([(19, 1), (14, 9), (18, 9), (15, 17), (22, 7), (18, 7), (21, 1)], ORANGE)


def stop_task(c):
    """Stop the search: a red octagon with a white bar."""
    c.polygon([(8, 2), (16, 2), (22, 8), (22, 16), (16, 22), (8, 22), (2, 16), (2, 8)], RED)
    c.rect(6, 11, 17, 13, LIGHT_GREY)


def chart(c):
    """Statistics: three bars on an axis."""
    c.rect(2, 2, 3, 21, BLACK)
    c.rect(2, 20, 22, 21, BLACK)
    c.rect(6, 11, 9, 19, BLUE)
    c.rect(11, 5, 14, 19, GREEN)
    c.rect(16, 14, 19, 19, ORANGE)


def add_contact(c):
    """Add a contact: the book and a green plus."""
    book(c)
    plus(c, 18, 17)


def edit_contact(c):
    """Edit the contact: the book and a pencil."""
    book(c)
    pencil(c)


def delete_contact(c):
    """Delete the contact: the book struck out by a red cross."""
    book(c)
    cross(c, 12, 12, 9)


def search(c):
    """Search the phone book: a magnifying glass."""
    lens(c, 10, 10, 8, DARK_BLUE)


def settings(c):
    """The system log's settings: a gear."""
    gear(c, 12, 12, 11, 3.5, GREY)
    c.disc(12, 12, 7, LIGHT_GREY, inner=3.5)


BITMAPS = [
    ("treeftp.bmp", PANE, tree_ftp),
    ("clear.bmp", PANE, clear_log),
    ("monitortalk.bmp", PANE, monitor_talk),
    ("stopmonitor.bmp", PANE, stop_monitor),
    ("channelsettings.bmp", PANE, channel_settings),
    ("callout.bmp", PANE, call_out),
    ("play.bmp", PANE, play),
    ("editfile.bmp", PANE, edit_file),
    ("delete-file.bmp", PANE, delete_file),
    ("saveas.bmp", PANE, save_as),
    ("searchfile.bmp", PANE, search_file),
    ("excel.bmp", PANE, excel),
    ("Moreinfor.bmp", PANE, more_info),
    ("quicksearch.bmp", PANE, quick_search),
    ("STOPTASK.bmp", PANE, stop_task),
    ("chart.bmp", PANE, chart),
    ("addphonebook.bmp", PANE, add_contact),
    ("editphonebook.bmp", PANE, edit_contact),
    ("deletephonebook.bmp", PANE, delete_contact),
    ("search.bmp", PANE, search),
    ("Settings.bmp", PANE, settings),
    ("Settingsbig.bmp", MAIN, settings_big),
    ("About.bmp", MAIN, about),
    ("send-user.bmp", MAIN, send_user),
    ("lock green.bmp", MAIN, lock_green),
    ("unlock.bmp", MAIN, unlock),
    ("Cursor_V_split.bmp", MAIN, vertical_split),
]


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources", "Image")
    os.makedirs(folder, exist_ok=True)
    for name, size, draw in BITMAPS:
        canvas = Canvas(size)
        draw(canvas)
        with open(os.path.join(folder, name), "wb") as out:
            out.write(bmp(canvas))


if __name__ == "__main__":
    main()
