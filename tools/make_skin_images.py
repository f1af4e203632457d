#!/usr/bin/env python3
"""Draws the images of the program's skin (resources/skin/Office2007.ini names them): a light-blue look of flat
fills and thin borders, with drawn glyphs on caption buttons, arrows, checks, radio dots and grips.

Every image is a column of cells, one per state in the order of the state's number (cell s - 1 for state s).
Magenta is the skin's transparent colour: parts marked TRANSPARENT or GLYPHTRANSPARENT in the INI let the
ground show through it.

    make_skin_images.py [output folder]      default: resources/skin/images beside this tools folder
"""

import os
import sys

from skin_pictures import KEY, Picture, cells_of, mix, stack

WHITE = (255, 255, 255)
FACE = (218, 229, 243)
FRAME = (101, 147, 207)       # window outline, glyph outlines
BORDER = (141, 178, 227)      # control borders
LIGHT_BORDER = (171, 199, 236)
TEXT_BLUE = (21, 66, 139)
DARK_BLUE = (10, 40, 100)

# Background and border of a small button in its four usual states.
NORMAL = ((226, 236, 250), (190, 210, 236))
HOT = ((243, 248, 255), (122, 170, 230))
PRESSED = ((196, 222, 250), (80, 130, 200))
DISABLED = ((238, 241, 246), (212, 219, 229))
GLYPH = {"normal": (60, 80, 115), "hot": TEXT_BLUE, "pressed": DARK_BLUE, "disabled": (170, 182, 200)}


def button_cell(width, height, fill, border, rounded=True, ground=KEY):
    """A rectangle with a one-pixel border; rounded cuts its corner pixels back to the ground."""
    cell = Picture(width, height, ground)
    cell.rect(0, 0, width - 1, height - 1, fill)
    cell.frame(0, 0, width - 1, height - 1, border)
    if rounded:
        for x, y in ((0, 0), (width - 1, 0), (0, height - 1), (width - 1, height - 1)):
            cell.set(x, y, ground)
    return cell


def glossy_cell(width, height, top, bottom, border, rounded=True):
    """A button whose upper half is lighter than its lower half."""
    cell = button_cell(width, height, bottom, border, rounded)
    cell.rect(1, 1, width - 2, height // 2 - 1, top)
    return cell


def four_state_buttons(width, height):
    """Square-cornered: arrows, drop-down and spin buttons fill their whole rectangle."""
    looks = (NORMAL, HOT, PRESSED, DISABLED)
    return [button_cell(width, height, fill, border, rounded=False) for fill, border in looks]


def arrow(direction, size, colour):
    """A filled triangle pointing up, down, left or right: size is its base, its height (size + 1) / 2."""
    depth = (size + 1) // 2
    wide, high = (size, depth) if direction in ("up", "down") else (depth, size)
    cell = Picture(wide, high)
    for i in range(depth):
        span = range(i, size - i)  # the row nearest the tip is the shortest
        step = depth - 1 - i if direction in ("up", "left") else i
        for j in span:
            if direction in ("up", "down"):
                cell.set(j, step, colour)
            else:
                cell.set(step, j, colour)
    return cell


def arrow_cells(direction, size, box, states=("normal", "hot", "pressed", "disabled")):
    """One arrow per state, centred in a box x box cell of magenta."""
    cells = []
    for state in states:
        cell = Picture(box, box)
        glyph = arrow(direction, size, GLYPH[state])
        cell.paste(glyph, (box - glyph.width) // 2, (box - glyph.height) // 2)
        cells.append(cell)
    return cells


# ---- WINDOW


CAPTION_STATES = [  # outline, gradient top, gradient bottom, inner line: active, inactive, disabled
    (FRAME, (232, 242, 255), (191, 219, 255), BORDER),
    ((160, 180, 205), (243, 247, 252), (215, 228, 242), (180, 196, 218)),
    ((160, 180, 205), (243, 247, 252), (215, 228, 242), (180, 196, 218)),
]
FRAME_FILL = [(191, 219, 255), (215, 228, 242)]


def caption():
    """Cells 40 x 27: an outline on the top, left and right, a vertical gradient and the inner line below."""
    cells = []
    for outline, top, bottom, inner in CAPTION_STATES:
        cell = Picture(40, 27)
        cell.rows(0, 26, lambda y: mix(top, bottom, y / 26))
        cell.frame(0, 0, 39, 26, outline)
        cell.rect(1, 26, 2, 26, bottom)
        cell.rect(37, 26, 38, 26, bottom)
        cell.rect(3, 26, 36, 26, inner)
        cells.append(cell)
    return stack(cells)


def frame_left():
    """Cells 4 x 8: outline, two pixels of frame fill, the inner line along the client area."""
    cells = []
    for (outline, _, _, inner), fill in zip(CAPTION_STATES, FRAME_FILL):
        cell = Picture(4, 8, fill)
        cell.rect(0, 0, 0, 7, outline)
        cell.rect(3, 0, 3, 7, inner)
        cells.append(cell)
    return stack(cells)


def frame_bottom():
    """Cells 9 x 4: the inner line on top between the side columns, the outline around the rest. The 4-pixel
    corners are the sizing margins; the middle column stretches."""
    cells = []
    for (outline, _, _, inner), fill in zip(CAPTION_STATES, FRAME_FILL):
        cell = Picture(9, 4, fill)
        cell.rect(3, 0, 5, 0, inner)
        cell.rect(0, 0, 0, 3, outline)
        cell.rect(8, 0, 8, 3, outline)
        cell.rect(0, 3, 8, 3, outline)
        cells.append(cell)
    return stack(cells)


CLOSE_GLYPH = ["XX.....XX", ".XX...XX.", "..XX.XX..", "...XXX...", "..XX.XX..", ".XX...XX.", "XX.....XX"]
MAX_GLYPH = ["XXXXXXXXX", "XXXXXXXXX", "X.......X", "X.......X", "X.......X", "X.......X", "XXXXXXXXX"]
RESTORE_GLYPH = ["..XXXXXXX", "..XXXXXXX", "..X.....X", "XXXXXXX.X", "XXXXXXX.X", "X.....XXX", "X.....X..",
                 "X.....X..", "XXXXXXX.."]
MIN_GLYPH = ["XXXXXXX", "XXXXXXX"]
HELP_GLYPH = [".XXXXX.", "XX...XX", ".....XX", "...XXX.", "...XX..", ".......", "...XX..", "...XX.."]

# Glyph colours of the eight caption-button cells: normal, hot, pushed, disabled of an active frame, then the
# same four of an inactive one.
CAPTION_GLYPH = [TEXT_BLUE, TEXT_BLUE, DARK_BLUE, (160, 178, 204), (120, 140, 170), TEXT_BLUE, DARK_BLUE,
                 (190, 200, 215)]
CLOSE_GLYPH_COLOURS = [TEXT_BLUE, WHITE, WHITE, (160, 178, 204), (120, 140, 170), WHITE, WHITE, (190, 200, 215)]


def caption_buttons(hot, pressed):
    """Eight cells 18 x 18: normal and disabled leave the caption showing; hot and pushed are rounded boxes."""
    looks = [None, hot, pressed, None]
    cells = []
    for look in looks + looks:
        cells.append(Picture(18, 18) if look is None else button_cell(18, 18, *look))
    return stack(cells)


def caption_glyph(rows, colours, size=11):
    cells = []
    for colour in colours:
        cell = Picture(size, size)
        cell.art(rows, {"X": colour}, (size - len(rows[0])) // 2, (size - len(rows)) // 2)
        cells.append(cell)
    return stack(cells)


# ---- SCROLLBAR


HOVER = ((236, 243, 252), (160, 190, 230))  # an arrow while the mouse is elsewhere over its bar


def scroll_arrows():
    """Twenty cells 17 x 17: up, down, left, right, each normal, hot, pressed, disabled; then the four arrows
    hovered."""
    return stack(four_state_buttons(17, 17) * 4 + [button_cell(17, 17, *HOVER, rounded=False)] * 4)


def scroll_arrow_glyphs():
    cells = []
    for direction in ("up", "down", "left", "right"):
        cells += arrow_cells(direction, 7, 9)
    for direction in ("up", "down", "left", "right"):
        cells += arrow_cells(direction, 7, 9, ("hot",))
    return stack(cells)


THUMB = [((214, 229, 248), BORDER), ((232, 242, 255), FRAME), ((190, 215, 245), PRESSED[1]), DISABLED]
TRACK = [(240, 245, 252), (232, 240, 251), (200, 220, 245), (245, 247, 250)]


def scroll_thumb():
    return stack([button_cell(17, 17, fill, border, rounded=False) for fill, border in THUMB])


def scroll_track():
    return stack([Picture(8, 8, colour) for colour in TRACK])


def scroll_gripper():
    """Four cells 8 x 7 of three lines with a white shadow, drawn at their true size on the thumb."""
    cells = []
    for state in ("normal", "hot", "pressed", "disabled"):
        cell = Picture(8, 7)
        for y in (0, 3, 6):
            cell.rect(0, y, 6, y, GLYPH[state] if state != "normal" else FRAME)
            cell.rect(1, y + 1, 7, y + 1, WHITE)
        cells.append(cell)
    return stack(cells)


def size_box():
    """Two cells 17 x 17 of grip dots in a triangle towards the bottom-right (then bottom-left) corner."""
    cell = Picture(17, 17)
    for row in range(4):
        for col in range(row + 1):
            x, y = 14 - 3 * col, 14 - 3 * (3 - row)
            cell.rect(x - 1, y - 1, x, y, FRAME)
            cell.set(x + 1, y + 1, WHITE)
    return stack([cell, cell.flipped()])


# ---- BUTTON


PUSH_STATES = [  # top half, bottom half, border: normal, hot, pressed, disabled, defaulted
    ((248, 251, 255), (228, 238, 251), BORDER),
    ((255, 255, 255), (238, 245, 255), FRAME),
    ((200, 222, 248), (214, 231, 251), PRESSED[1]),
    ((240, 242, 246), (240, 242, 246), DISABLED[1]),
    ((248, 251, 255), (228, 238, 251), (60, 110, 190)),
]


def push_button():
    cells = [glossy_cell(16, 22, top, bottom, border) for top, bottom, border in PUSH_STATES]
    cells[4].frame(1, 1, 14, 20, LIGHT_BORDER)  # the default button's second outline
    return stack(cells)


BOX_STATES = [  # fill, outline: normal, hot, pressed, disabled
    (WHITE, FRAME), ((232, 242, 255), FRAME), ((200, 222, 248), PRESSED[1]), ((240, 242, 246), (190, 200, 214))]
MARK = [TEXT_BLUE, TEXT_BLUE, DARK_BLUE, (160, 178, 204)]
CHECK_MARK = ["......X", ".....XX", "X...XX.", "XX.XX..", ".XXX...", "..X...."]


def radio_button():
    """Eight cells 13 x 13: unchecked then checked, each normal, hot, pressed, disabled."""
    cells = []
    for checked in (False, True):
        for (fill, outline), mark in zip(BOX_STATES, MARK):
            cell = Picture(13, 13)
            cell.disc(6.5, 6.5, 6.5, outline)
            cell.disc(6.5, 6.5, 5.5, fill)
            if checked:
                cell.disc(6.5, 6.5, 2.6, mark)
            cells.append(cell)
    return stack(cells)


def check_box():
    """Twelve cells 13 x 13: unchecked, checked and mixed, each normal, hot, pressed, disabled."""
    cells = []
    for kind in ("unchecked", "checked", "mixed"):
        for (fill, outline), mark in zip(BOX_STATES, MARK):
            cell = Picture(13, 13, fill)
            cell.frame(0, 0, 12, 12, outline)
            if kind == "checked":
                cell.art(CHECK_MARK, {"X": mark}, 3, 3)
            elif kind == "mixed":
                cell.rect(3, 3, 9, 9, outline)
            cells.append(cell)
    return stack(cells)


def group_box():
    """Two cells 8 x 8: a rounded outline around a transparent middle (normal, disabled)."""
    return stack([button_cell(8, 8, KEY, colour) for colour in (LIGHT_BORDER, (210, 218, 228))])


# ---- TAB


TAB_STATES = [  # gradient top, gradient bottom, border, bottom line: normal, hot, selected, disabled, focused
    ((236, 243, 252), FACE, BORDER, BORDER),
    ((250, 252, 255), (232, 242, 255), FRAME, BORDER),
    ((246, 250, 255), FACE, BORDER, None),
    ((240, 242, 246), (240, 242, 246), DISABLED[1], BORDER),
    ((246, 250, 255), FACE, BORDER, None),
]


def tab_item():
    """Five cells 16 x 20: rounded top corners; the selected tab has no bottom line and runs into the pane."""
    cells = []
    for top, bottom, border, base in TAB_STATES:
        cell = Picture(16, 20)
        cell.rows(0, 19, lambda y: mix(top, bottom, min(1.0, y / 12)))
        cell.rect(0, 0, 15, 0, border)
        cell.rect(0, 0, 0, 19, border)
        cell.rect(15, 0, 15, 19, border)
        for x, y in ((0, 0), (15, 0)):
            cell.set(x, y, KEY)
        if base:
            cell.rect(0, 19, 15, 19, base)
        cells.append(cell)
    return stack(cells)


# ---- TOOLBAR


TOOL_STATES = [None, ((232, 242, 255), (122, 170, 230)), PRESSED, None, ((214, 232, 252), FRAME),
               ((205, 226, 252), PRESSED[1])]  # normal, hot, pressed, disabled, checked, hot checked


def tool_button():
    """Six cells 16 x 22: normal and disabled buttons lie flat on the bar."""
    return stack([Picture(16, 22) if look is None else button_cell(16, 22, *look) for look in TOOL_STATES])


def drop_arrow(states):
    return stack(arrow_cells("down", 5, 5, states))


def tool_separator():
    """8 x 8: an engraved line in the middle, transparent around it."""
    cell = Picture(8, 8)
    cell.rect(3, 1, 3, 6, LIGHT_BORDER)
    cell.rect(4, 1, 4, 6, WHITE)
    return cell


# ---- HEADER


HEADER_STATES = [(WHITE, (236, 243, 252)), ((243, 248, 255), (224, 236, 252)), ((214, 229, 248), (200, 220, 245))]


def header_cell(top, bottom, divider):
    cell = Picture(16, 20)
    cell.rows(0, 19, lambda y: mix(top, bottom, y / 19))
    cell.rect(0, 19, 15, 19, LIGHT_BORDER)
    if divider:
        cell.rect(14, 3, 14, 16, (200, 215, 235))
        cell.rect(15, 3, 15, 16, WHITE)
    return cell


def header_item():
    return stack([header_cell(top, bottom, True) for top, bottom in HEADER_STATES])


def header_back():
    return header_cell(*HEADER_STATES[0], False)


# ---- PROGRESS, TRACKBAR


def progress_bar():
    """8 x 8: a border, a white inner line and a pale middle where the chunks go."""
    cell = Picture(8, 8, (244, 247, 252))
    cell.frame(1, 1, 6, 6, WHITE)
    cell.frame(0, 0, 7, 7, BORDER)
    cell.rect(2, 2, 5, 5, (244, 247, 252))
    return cell


def progress_chunk():
    """8 x 8: light on top, deeper below; the vertical bar's chunk is the same turned on its side."""
    cell = Picture(8, 8)
    cell.rows(0, 7, lambda y: mix((140, 198, 250), (61, 128, 223), y / 7))
    return cell


def track():
    cell = Picture(8, 4, (232, 240, 250))
    cell.frame(0, 0, 7, 3, BORDER)
    return cell


THUMB_STATES = [  # fill, outline: normal, hot, pressed, focused, disabled
    ((232, 242, 255), FRAME), ((250, 252, 255), PRESSED[1]), ((196, 222, 250), (60, 110, 190)),
    ((232, 242, 255), (61, 128, 223)), ((240, 242, 246), DISABLED[1])]


def thumb(pointed, turn=False, flip=False):
    """Five cells 11 x 19 of a thumb pointing down, or square when not pointed; turned, it points right, and
    flipped, up (or left when also turned)."""
    cells = []
    for fill, outline in THUMB_STATES:
        if pointed:
            cell = Picture(11, 19)
            cell.polygon([(0, 0), (11, 0), (11, 13.5), (5.5, 19), (0, 13.5)], outline)
            cell.polygon([(1, 1), (10, 1), (10, 13.1), (5.5, 17.6), (1, 13.1)], fill)
        else:
            cell = button_cell(11, 19, fill, outline)
        if flip:
            cell.pixels.reverse()
        cells.append(cell.turned() if turn else cell)
    return stack(cells)


IMAGES = {
    "caption.png": caption,
    "frameleft.png": frame_left,
    "frameright.png": lambda: frame_left().flipped(),
    "framebottom.png": frame_bottom,
    "captionbutton.png": lambda: caption_buttons(HOT, PRESSED),
    "closebutton.png": lambda: caption_buttons(((224, 67, 67), (180, 40, 40)), ((180, 40, 40), (140, 30, 30))),
    "closeglyph.png": lambda: caption_glyph(CLOSE_GLYPH, CLOSE_GLYPH_COLOURS),
    "maxglyph.png": lambda: caption_glyph(MAX_GLYPH, CAPTION_GLYPH),
    "restoreglyph.png": lambda: caption_glyph(RESTORE_GLYPH, CAPTION_GLYPH),
    "minglyph.png": lambda: caption_glyph(MIN_GLYPH, CAPTION_GLYPH),
    "helpglyph.png": lambda: caption_glyph(HELP_GLYPH, CAPTION_GLYPH),
    "scrollarrow.png": scroll_arrows,
    "scrollarrowglyph.png": scroll_arrow_glyphs,
    "scrollthumb.png": scroll_thumb,
    "scrolltrack.png": scroll_track,
    "scrollgripvert.png": scroll_gripper,
    "scrollgriphorz.png": lambda: stack([cell.turned() for cell in cells_of(scroll_gripper(), 4)]),
    "sizebox.png": size_box,
    "pushbutton.png": push_button,
    "radiobutton.png": radio_button,
    "checkbox.png": check_box,
    "groupbox.png": group_box,
    "tabitem.png": tab_item,
    "tabbody.png": lambda: Picture(8, 8, FACE),
    "toolbutton.png": tool_button,
    "tooldroparrow.png": lambda: drop_arrow(("normal", "normal", "pressed", "disabled", "pressed", "pressed")),
    "toolseparator.png": tool_separator,
    "headeritem.png": header_item,
    "headerback.png": header_back,
    "combobutton.png": lambda: stack(four_state_buttons(16, 18)),
    "comboarrow.png": lambda: stack(arrow_cells("down", 7, 7)),
    "spinbutton.png": lambda: stack(four_state_buttons(15, 10)),
    "spinup.png": lambda: stack(arrow_cells("up", 5, 5)),
    "spindown.png": lambda: stack(arrow_cells("down", 5, 5)),
    "spinleft.png": lambda: stack(arrow_cells("left", 5, 5)),
    "spinright.png": lambda: stack(arrow_cells("right", 5, 5)),
    "progressbar.png": progress_bar,
    "progresschunk.png": progress_chunk,
    "progresschunkvert.png": lambda: progress_chunk().turned(),
    "track.png": track,
    "thumb.png": lambda: thumb(False),
    "thumbvert.png": lambda: thumb(False, turn=True),
    "thumbbottom.png": lambda: thumb(True),
    "thumbtop.png": lambda: thumb(True, flip=True),
    "thumbright.png": lambda: thumb(True, turn=True),
    "thumbleft.png": lambda: thumb(True, turn=True, flip=True),
}


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "resources", "skin", "images")
    os.makedirs(out, exist_ok=True)
    for name, draw in IMAGES.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(draw().png())


if __name__ == "__main__":
    main()
