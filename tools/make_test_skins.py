#!/usr/bin/env python3
"""Writes the skins of the skin tests and the header that tells the tests what they hold (TestSkins.h).

- The state-coded skin: every cell of every image is one flat colour that encodes the class, part and state it
  stands for (never the magenta key), so a test decodes a drawn pixel into what was drawn. Besides: a
  magenta-cornered caption, a 20-cell arrow image, a gradient and a straight-alpha image. Written as a folder
  (StateCoded.ini and the image files, some in a subfolder) and as a resource script for its module twin.
- Crafted modules: images without any INI, a THEMES_INI whose [File. section lacks its ']', and a skin whose
  images are damaged bitmaps (with two sound ones beside them).

    make_test_skins.py <output folder> <skin folder>
        output folder: the resource scripts, the UTF-16 texts and include/TestSkins.h
        skin folder:   the state-coded folder skin (the module's images are read from it)
"""

import os
import struct
import sys

from make_image_fixtures import info_header
from make_skin_module import rc_entry, resource_name, utf16_text, write_text_resource
from skin_pictures import KEY, Picture, stack

# Schema ids of the classes that the skin draws for the program's windows (first match of the class table).
CLASS_IDS = {"SYSMETRICS": 3, "LISTBOX": 4, "WINDOW": 6, "BUTTON": 7, "TOOLBAR": 9, "LISTVIEW": 12, "HEADER": 13,
             "PROGRESS": 14, "TAB": 15, "TRACKBAR": 16, "TOOLTIP": 17, "TREEVIEW": 18, "SPIN": 19, "SCROLLBAR": 21,
             "EDIT": 22, "COMBOBOX": 23}

# Every (class, part) the skin's drawing code draws, with its part id and its states: first state and count.
# Cell i of a part's image stands for state first + i. Parts drawn only with state 0 have one cell for it.
# None as part name: the class itself (part 0).
PARTS = [
    ("WINDOW", "CAPTION", 1, 1, 3), ("WINDOW", "SMALLCAPTION", 2, 1, 3),
    ("WINDOW", "FRAMELEFT", 7, 1, 2), ("WINDOW", "FRAMERIGHT", 8, 1, 2), ("WINDOW", "FRAMEBOTTOM", 9, 1, 2),
    ("WINDOW", "SMALLFRAMELEFT", 10, 1, 2), ("WINDOW", "SMALLFRAMERIGHT", 11, 1, 2),
    ("WINDOW", "SMALLFRAMEBOTTOM", 12, 1, 2),
    ("WINDOW", "MINBUTTON", 15, 1, 8), ("WINDOW", "MAXBUTTON", 17, 1, 8), ("WINDOW", "CLOSEBUTTON", 18, 1, 8),
    ("WINDOW", "SMALLCLOSEBUTTON", 19, 1, 8), ("WINDOW", "RESTOREBUTTON", 21, 1, 8),
    ("WINDOW", "HELPBUTTON", 23, 1, 8),
    ("SCROLLBAR", "ARROWBTN", 1, 1, 20), ("SCROLLBAR", "THUMBBTNHORZ", 2, 1, 4),
    ("SCROLLBAR", "THUMBBTNVERT", 3, 1, 4), ("SCROLLBAR", "LOWERTRACKHORZ", 4, 1, 4),
    ("SCROLLBAR", "UPPERTRACKHORZ", 5, 1, 4), ("SCROLLBAR", "LOWERTRACKVERT", 6, 1, 4),
    ("SCROLLBAR", "UPPERTRACKVERT", 7, 1, 4), ("SCROLLBAR", "GRIPPERHORZ", 8, 1, 4),
    ("SCROLLBAR", "GRIPPERVERT", 9, 1, 4), ("SCROLLBAR", "SIZEBOX", 10, 1, 2),
    ("BUTTON", "PUSHBUTTON", 1, 1, 5), ("BUTTON", "RADIOBUTTON", 2, 1, 8), ("BUTTON", "CHECKBOX", 3, 1, 12),
    ("BUTTON", "GROUPBOX", 4, 1, 2),
    ("TAB", "TOPTABITEM", 5, 1, 5), ("TAB", "TOPTABITEMLEFTEDGE", 6, 1, 5), ("TAB", "TOPTABITEMRIGHTEDGE", 7, 1, 5),
    ("TAB", "PANE", 9, 0, 1),
    ("TOOLBAR", "BUTTON", 1, 1, 6), ("TOOLBAR", "SPLITBUTTON", 3, 1, 6), ("TOOLBAR", "SPLITBUTTONDROPDOWN", 4, 1, 6),
    ("TOOLBAR", "SEPARATOR", 5, 0, 1),
    ("HEADER", None, 0, 0, 1), ("HEADER", "HEADERITEM", 1, 1, 3),
    ("LISTVIEW", None, 0, 0, 1), ("TREEVIEW", None, 0, 0, 1), ("LISTBOX", None, 0, 0, 1), ("EDIT", None, 0, 0, 1),
    ("COMBOBOX", None, 0, 1, 4), ("COMBOBOX", "DROPDOWNBUTTON", 1, 1, 4),
    ("PROGRESS", "BAR", 1, 0, 1), ("PROGRESS", "BARVERT", 2, 0, 1), ("PROGRESS", "CHUNK", 3, 0, 1),
    ("PROGRESS", "CHUNKVERT", 4, 0, 1),
    ("SPIN", "UP", 1, 1, 4), ("SPIN", "DOWN", 2, 1, 4), ("SPIN", "UPHORZ", 3, 1, 4), ("SPIN", "DOWNHORZ", 4, 1, 4),
    ("TRACKBAR", "TRACK", 1, 1, 1), ("TRACKBAR", "TRACKVERT", 2, 1, 1), ("TRACKBAR", "THUMB", 3, 1, 5),
    ("TRACKBAR", "THUMBBOTTOM", 4, 1, 5), ("TRACKBAR", "THUMBTOP", 5, 1, 5), ("TRACKBAR", "THUMBVERT", 6, 1, 5),
    ("TRACKBAR", "THUMBLEFT", 7, 1, 5), ("TRACKBAR", "THUMBRIGHT", 8, 1, 5),
]
# Classes whose part 0 is a border fill (a border and a fill colour) rather than an image.
BORDER_FILLS = {"LISTVIEW", "TREEVIEW", "LISTBOX", "EDIT"}

# The SYSMETRICS sizes and fonts (the skin's caption heights come out one pixel taller): INI name, the header's
# name, value.
SIZES = [("CAPTIONBARHEIGHT", "CaptionBarHeight", 24), ("SMCAPTIONBARHEIGHT", "SmCaptionBarHeight", 16),
         ("SCROLLBARWIDTH", "ScrollBarWidth", 19), ("SCROLLBARHEIGHT", "ScrollBarHeight", 15)]
FONTS = [("CAPTIONFONT", "CaptionFont", ("TAHOMA", 9, "BOLD")),
         ("SMALLCAPTIONFONT", "SmallCaptionFont", ("TAHOMA", 8, "BOLD")),
         ("MENUFONT", "MenuFont", ("TAHOMA", 10, "REGULAR"))]

CAPTION_CELL = (32, 24)       # width, height; its corners are magenta
GLYPH_CELL = 13               # check boxes and radio buttons: square cells drawn at their true size
GLYPH_PARTS = {("BUTTON", "CHECKBOX"), ("BUTTON", "RADIOBUTTON")}
CAPTION_MARGINS = (4, 4, 4, 0)  # left, right, top, bottom
BUTTON_CELL = 16              # caption buttons and arrows: square cells
CELL = 8                      # every other cell
GRADIENT = 32                 # GRADIENT.PNG: pixel (x, y) = (8x, 8y, 128)
ALPHA = ((200, 100, 50), 128, 16)  # ALPHA.PNG: colour, straight (not premultiplied) alpha, size
DLLMAIN_VARIABLE = "TESSELON_TEST_SKIN_DLLMAIN"


def cell_colour(cls, part, state):
    return (8 * cls + 3, 6 * part + 5, 12 * state + 7)


def image_name(cls, part):
    """The state-coded skin's image of a part: scroll-bar images lie in a subfolder."""
    if cls == "SCROLLBAR":
        return "SCROLLBAR\\%s.PNG" % part
    return "%s.%s.PNG" % (cls, part or "CLASS")


def caption_corner(x, y):
    """The magenta corner pixels of a caption cell: a triangle of six pixels at each top corner."""
    return y + min(x, CAPTION_CELL[0] - 1 - x) < 3


def part_image(cls, part, part_id, first, count):
    cls_id = CLASS_IDS[cls]
    if part in ("CAPTION", "SMALLCAPTION"):
        width, height = CAPTION_CELL
    elif part == "ARROWBTN" or (cls == "WINDOW" and part.endswith("BUTTON")):
        width = height = BUTTON_CELL
    elif (cls, part) in GLYPH_PARTS:
        width = height = GLYPH_CELL
    else:
        width = height = CELL
    cells = []
    for state in range(first, first + count):
        cell = Picture(width, height, cell_colour(cls_id, part_id, state))
        if part == "CAPTION":
            for y in range(height):
                for x in range(width):
                    if caption_corner(x, y):
                        cell.set(x, y, KEY)
        cells.append(cell)
    return stack(cells)


def section(name, properties):
    return "[%s]\n" % name + "".join("%s = %s\n" % item for item in properties) + "\n"


def colour_text(colour):
    return "%d %d %d" % colour


def state_coded_ini():
    text = "; The state-coded test skin: each cell's colour is (8 class + 3, 6 part + 5, 12 state + 7).\n\n"
    metrics = [(name, value) for name, _, value in SIZES]
    metrics += [(name, "%s, %d, %s" % font) for name, _, font in FONTS]
    names = ["SCROLLBAR", "BACKGROUND", "ACTIVECAPTION", "INACTIVECAPTION", "MENU", "WINDOW", "WINDOWFRAME",
             "MENUTEXT", "WINDOWTEXT", "CAPTIONTEXT", "ACTIVEBORDER", "INACTIVEBORDER", "APPWORKSPACE", "HIGHLIGHT",
             "HIGHLIGHTTEXT", "BTNFACE", "BTNSHADOW", "GRAYTEXT", "BTNTEXT", "INACTIVECAPTIONTEXT", "BTNHIGHLIGHT",
             "DKSHADOW3D", "LIGHT3D", "INFOTEXT", "INFOBK", "BUTTONALTERNATEFACE", "HOTTRACKING",
             "GRADIENTACTIVECAPTION", "GRADIENTINACTIVECAPTION", "MENUHILIGHT", "MENUBAR"]
    metrics += [(name, colour_text(cell_colour(CLASS_IDS["SYSMETRICS"], index, 0))) for index, name in enumerate(names)]
    text += section("SYSMETRICS", metrics)
    for cls, part, part_id, first, count in PARTS:
        name = cls if part is None else "%s.%s" % (cls, part)
        cls_id = CLASS_IDS[cls]
        if cls in BORDER_FILLS:
            text += section(name, [("BGTYPE", "BORDERFILL"), ("BORDERSIZE", 1),
                                   ("BORDERCOLOR", colour_text(cell_colour(cls_id, 0, 0))),
                                   ("FILLCOLOR", colour_text(cell_colour(cls_id, 0, 1)))])
            continue
        properties = [("BGTYPE", "IMAGEFILE"), ("IMAGEFILE", image_name(cls, part)),
                      ("IMAGECOUNT", count), ("IMAGELAYOUT", "VERTICAL"),
                      ("SIZINGTYPE", "TRUESIZE" if (cls, part) in GLYPH_PARTS else "STRETCH")]
        if part == "CAPTION":
            properties += [("SIZINGMARGINS", "%d, %d, %d, %d" % CAPTION_MARGINS), ("TRANSPARENT", "TRUE")]
        text += section(name, properties)
    trackbar = CLASS_IDS["TRACKBAR"]
    text += section("TRACKBAR.TICS", [("COLOR", colour_text(cell_colour(trackbar, 9, 1)))])
    text += section("TRACKBAR.TICSVERT", [("COLOR", colour_text(cell_colour(trackbar, 10, 1)))])
    text += section("TAB.BODY", [("STOCKIMAGEFILE", "TAB.BODY.PNG"), ("IMAGECOUNT", 1), ("IMAGELAYOUT", "VERTICAL")])
    text += section("TOOLTIP.STANDARD", [("BGTYPE", "IMAGEFILE"), ("IMAGEFILE", "GRADIENT.PNG"), ("IMAGECOUNT", 1),
                                         ("IMAGELAYOUT", "VERTICAL"), ("SIZINGTYPE", "STRETCH")])
    text += section("TOOLTIP.BALLOON", [("BGTYPE", "IMAGEFILE"), ("IMAGEFILE", "ALPHA.PNG"), ("IMAGECOUNT", 1),
                                        ("IMAGELAYOUT", "VERTICAL"), ("SIZINGTYPE", "STRETCH")])
    return text


def state_coded_images():
    images = {}
    for cls, part, part_id, first, count in PARTS:
        if cls not in BORDER_FILLS:
            images[image_name(cls, part)] = part_image(cls, part, part_id, first, count).png()
    images["TAB.BODY.PNG"] = Picture(CELL, CELL, cell_colour(CLASS_IDS["TAB"], 10, 0)).png()
    gradient = Picture(GRADIENT, GRADIENT)
    for y in range(GRADIENT):
        for x in range(GRADIENT):
            gradient.set(x, y, (8 * x, 8 * y, 128))
    images["GRADIENT.PNG"] = gradient.png()
    colour, alpha, size = ALPHA
    images["ALPHA.PNG"] = Picture(size, size, colour + (alpha,)).png()
    return images


# ---- Damaged and sound bitmaps (RT_BITMAP resources: a BITMAPINFOHEADER, a colour table, the rows)

GOOD_TOP, GOOD_BOTTOM = (10, 200, 30), (220, 40, 90)  # the upper and lower two rows of the sound 4 x 4 bitmaps


def good24():
    rows = [bytes((b, g, r)) * 4 for r, g, b in (GOOD_BOTTOM, GOOD_BOTTOM, GOOD_TOP, GOOD_TOP)]  # bottom-up
    pixels = b"".join(rows)
    return info_header(4, 4, 24, len(pixels)) + pixels


def good8():
    header = struct.pack("<IiiHHIIiiII", 40, 4, 4, 1, 8, 0, 16, 0, 0, 2, 0)  # two colours used
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in (GOOD_TOP, GOOD_BOTTOM))
    pixels = b"\x01" * 8 + b"\x00" * 8  # bottom-up: index 1 below, 0 above
    return header + palette + pixels


BITMAPS = [  # resource file name, bytes, the part that names it in BadBmp.ini, whether it can load
    ("SHORT.BMP", info_header(16, 16, 24, 0)[:20], "BUTTON.PUSHBUTTON", False),
    ("TRUNCATED.BMP", info_header(16, 16, 24, 16 * 48) + b"\x80" * (8 * 48), "BUTTON.RADIOBUTTON", False),
    # 32 x width overflows 32 bits to a 4-byte row: a loader that computes in 32 bits sees enough pixels.
    ("HUGEWIDTH.BMP", info_header(0x08000001, 1, 32, 4) + b"\x80" * 4, "BUTTON.CHECKBOX", False),
    # Height x row size is negative: a loader that trusts the sign sees enough pixels and copies a negative size.
    ("NEGATIVEHEIGHT.BMP", info_header(16, -16, 24, 0), "BUTTON.GROUPBOX", False),
    ("GOOD24.BMP", good24(), "TAB.PANE", True),
    ("GOOD8.BMP", good8(), "TAB.TOPTABITEM", True),
]


# ---- Output


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def write_module_script(out_dir, name, texts, files):
    """name.rc: texts (resource name -> text) as UTF-16 TEXTFILE resources (their files in the folder name),
    files (resource name, type, path)."""
    text_dir = os.path.join(out_dir, name)
    os.makedirs(text_dir, exist_ok=True)
    script = "".join(write_text_resource(text_dir, key, text) for key, text in texts.items())
    script += "".join(rc_entry(key, kind, path) for key, kind, path in files)
    write(os.path.join(out_dir, name + ".rc"), script.encode("utf-8"))


def themes(name):
    return "[File.%s]\n" % name


def header():
    left, right, top, bottom = CAPTION_MARGINS
    parts = []
    for cls, part, part_id, first, count in PARTS:
        image = "nullptr" if cls in BORDER_FILLS else 'L"%s"' % resource_name(image_name(cls, part))
        parts.append('    {L"%s", %d, %d, %d, %d, %s},' % (cls, CLASS_IDS[cls], part_id, first, count, image))
    bitmaps = ['    {L"%s", L"%s", %s},' % (resource_name(name), part, "true" if loads else "false")
               for name, _, part, loads in BITMAPS]
    sizes = "\n".join("inline constexpr int k%s = %d;" % (name, value) for _, name, value in SIZES)
    fonts = "\n".join('inline constexpr TestSkinFont k%s = {L"%s", %d, %d};' % (
        name, face, points, 700 if style == "BOLD" else 400) for _, name, (face, points, style) in FONTS)
    return HEADER % {
        "parts": "\n".join(parts), "bitmaps": "\n".join(bitmaps), "sizes": sizes, "fonts": fonts,
        "caption_width": CAPTION_CELL[0], "caption_height": CAPTION_CELL[1],
        "margins": "%d, %d, %d, %d" % (left, top, right, bottom),
        "button": BUTTON_CELL, "cell": CELL, "glyph": GLYPH_CELL, "gradient": GRADIENT,
        "alpha_colour": "%d, %d, %d" % ALPHA[0], "alpha": ALPHA[1], "alpha_size": ALPHA[2],
        "good_top": "%d, %d, %d" % GOOD_TOP, "good_bottom": "%d, %d, %d" % GOOD_BOTTOM, "variable": DLLMAIN_VARIABLE,
    }


HEADER = """// Written by tools/make_test_skins.py with the test skins: what each skin holds, and how the state-coded skin's
// colours encode what was drawn.
#pragma once
#include <windows.h>

// The program's skin where the build assembles the program folder, and the test skins in the folder "skins",
// both relative to the folder of the test programs.
inline constexpr wchar_t kProgramSkin[] = L"..\\\\dist\\\\Styles\\\\Office2007.vardle";
inline constexpr wchar_t kStateCodedModule[] = L"skins\\\\StateCoded.vardle";
// The same skin as a folder: its INI file name must be given to open it.
inline constexpr wchar_t kStateCodedFolder[] = L"skins\\\\StateCoded";
inline constexpr wchar_t kStateCodedIni[] = L"StateCoded.ini";
// The state-coded skin once more, in a module whose DllMain sets the environment variable below to "1" when it
// runs (loading the module as a data file runs no code).
inline constexpr wchar_t kDllMainModule[] = L"skins\\\\DllMainEffect.vardle";
inline constexpr wchar_t kDllMainVariable[] = L"%(variable)s";
// A module of images without any TEXTFILE resource.
inline constexpr wchar_t kNoIniModule[] = L"skins\\\\NoIni.vardle";
// THEMES_INI holds "[File.NoBracket" with no ']' after it; a valid NOBRACKET_INI is there all the same.
inline constexpr wchar_t kNoBracketModule[] = L"skins\\\\NoBracket.vardle";
// A skin whose parts name the bitmaps of kTestBitmaps below.
inline constexpr wchar_t kBadBitmapModule[] = L"skins\\\\BadBmp.vardle";
// Exports DWORD CallGetSysColor(int), which calls GetSysColor through the DLL's own import table.
inline constexpr wchar_t kProbeDll[] = L"skins\\\\SkinProbe.dll";
// Imports GetSysColor from USER32, but the USER32 import descriptor's thunk addresses and the name address of
// another descriptor lie far outside the image. Load it with DONT_RESOLVE_DLL_REFERENCES.
inline constexpr wchar_t kCorruptImportsDll[] = L"skins\\\\CorruptImports.dll";

// State-coded cells: class, part and state packed into one colour, never magenta (green is at least 5).
constexpr COLORREF TestSkinCellColor(int cls, int part, int state)
{
    return RGB(8 * cls + 3, 6 * part + 5, 12 * state + 7);
}

struct TestSkinCell {
    int cls;
    int part;
    int state;
};

// FALSE for a colour that no cell has.
constexpr bool DecodeTestSkinColor(COLORREF color, TestSkinCell& cell)
{
    const int r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
    if ((r - 3) %% 8 != 0 || (g - 5) %% 6 != 0 || (b - 7) %% 12 != 0 || r < 3 || g < 5 || b < 7)
        return false;
    cell = {(r - 3) / 8, (g - 5) / 6, (b - 7) / 12};
    return true;
}

// SYSMETRICS colour i is the cell colour of class 3 (SYSMETRICS), part i, state 0.
constexpr COLORREF TestSkinSysColor(int index)
{
    return TestSkinCellColor(3, index, 0);
}

// Every class and part that the skin draws for the program's windows, with its states (cell i of its image
// stands for state firstState + i; parts drawn only with state 0 have one cell for state 0). The production
// skin covers the same list. image: the state-coded skin's PNG resource, nullptr for a class whose part 0 is a
// border fill: its border is TestSkinCellColor(class, 0, 0), its fill TestSkinCellColor(class, 0, 1).
struct TestSkinPart {
    const wchar_t* className;
    int classId;
    int part;
    int firstState;
    int stateCount;
    const wchar_t* image;
};
inline constexpr TestSkinPart kTestSkinParts[] = {
%(parts)s
};

// Cell sizes: captions %(caption_width)s x %(caption_height)s, caption buttons and arrows %(button)s x %(button)s,
// check boxes and radio buttons %(glyph)s x %(glyph)s (drawn at that size, TRUESIZE), all others %(cell)s x %(cell)s
// (stretched over what they are drawn in).
inline constexpr int kCaptionCellWidth = %(caption_width)s;
inline constexpr int kCaptionCellHeight = %(caption_height)s;
inline constexpr int kButtonCell = %(button)s;
inline constexpr int kGlyphCell = %(glyph)s;
inline constexpr int kCell = %(cell)s;
// WINDOW.CAPTION only: TRANSPARENT, sizing margins (left, top, right, bottom) and magenta corners: the pixels
// (x, y) of a cell with y + min(x, width - 1 - x) < 3.
inline constexpr RECT kCaptionMargins = {%(margins)s};
// SCROLLBAR.ARROWBTN has 20 cells: the hover states 17-20 follow the 16 arrow states.
// TRACKBAR.TICS and TICSVERT: COLOR = TestSkinCellColor(16, 9 or 10, 1). TAB.BODY: STOCKIMAGEFILE
// TAB_BODY_PNG, one cell of TestSkinCellColor(15, 10, 0).

// TOOLTIP.STANDARD draws GRADIENT_PNG, %(gradient)s x %(gradient)s, pixel (x, y) = RGB(8x, 8y, 128).
inline constexpr int kGradientSize = %(gradient)s;
// TOOLTIP.BALLOON draws ALPHA_PNG, %(alpha_size)s x %(alpha_size)s pixels of one colour at a straight (not
// premultiplied) alpha.
inline constexpr int kAlphaSize = %(alpha_size)s;
inline constexpr COLORREF kAlphaColor = RGB(%(alpha_colour)s);
inline constexpr int kAlphaValue = %(alpha)s;

// SYSMETRICS of the state-coded skin (the skin's caption heights are one more).
%(sizes)s
struct TestSkinFont {
    const wchar_t* face;
    int points;
    int weight;
};
%(fonts)s

// The bitmaps of kBadBitmapModule: resource name, the section that names it, and whether it can load. The two
// sound ones are 4 x 4: the upper two rows kGoodTop, the lower two kGoodBottom.
struct TestSkinBitmap {
    const wchar_t* resource;
    const wchar_t* section;
    bool loads;
};
inline constexpr TestSkinBitmap kTestBitmaps[] = {
%(bitmaps)s
};
inline constexpr COLORREF kGoodTop = RGB(%(good_top)s);
inline constexpr COLORREF kGoodBottom = RGB(%(good_bottom)s);
"""


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    out_dir, folder = sys.argv[1], sys.argv[2]
    ini = state_coded_ini()
    write(os.path.join(folder, "StateCoded.ini"), ini.replace("\n", "\r\n").encode("ascii"))
    images = state_coded_images()
    files = []
    for name, data in images.items():
        path = os.path.join(folder, *name.split("\\"))
        write(path, data)
        files.append((resource_name(name), "PNG", path))
    write_module_script(out_dir, "StateCoded", {"THEMES_INI": themes("StateCoded"), "STATECODED_INI": ini}, files)
    write_module_script(out_dir, "NoIni", {}, [("GRADIENT_PNG", "PNG", os.path.join(folder, "GRADIENT.PNG"))])
    write_module_script(out_dir, "NoBracket", {"THEMES_INI": "[File.NoBracket\n",
                                               "NOBRACKET_INI": section("SYSMETRICS", [("BTNFACE", "1 2 3")])}, [])
    bitmap_dir = os.path.join(out_dir, "bitmaps")
    bad_ini = "".join(section(part, [("BGTYPE", "IMAGEFILE"), ("IMAGEFILE", name), ("IMAGECOUNT", 1),
                                     ("IMAGELAYOUT", "VERTICAL")]) for name, _, part, _ in BITMAPS)
    bitmap_files = []
    for name, data, _, _ in BITMAPS:
        write(os.path.join(bitmap_dir, name), data)
        bitmap_files.append((resource_name(name), "2", os.path.join(bitmap_dir, name)))  # raw RT_BITMAP bytes
    write_module_script(out_dir, "BadBmp", {"THEMES_INI": themes("BadBmp"), "BADBMP_INI": bad_ini}, bitmap_files)
    write(os.path.join(out_dir, "include", "TestSkins.h"), header().encode("utf-8"))


if __name__ == "__main__":
    main()
