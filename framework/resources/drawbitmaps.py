#!/usr/bin/env python3
"""Draws the bitmaps that the system's resources leave to us.

Each bitmap is a small picture drawn here from rectangles and lines, written
as an uncompressed 24-bit BMP next to the .rc file that names it, and checked
in. Run it again (python3 framework/resources/drawbitmaps.py) after changing a
picture; the build itself never runs it.

A picture is a list of rows of characters, one per pixel, read through a
palette; this keeps each picture visible in the source.
"""
import os
import struct
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

# Palette: character -> (red, green, blue).
PALETTE = {
    'w': (255, 255, 255),  # white: the mask colour of list images
    'k': (0, 0, 0),
    'g': (128, 128, 128),
    'l': (192, 192, 192),
    'b': (0, 0, 160),
    'c': (96, 160, 255),
    'n': (0, 160, 0),
    'r': (255, 0, 0),
    'y': (255, 255, 0),
    'd': (0, 96, 0),      # dark green
    'o': (160, 128, 0),   # dark yellow
    'm': (255, 0, 255),   # magenta: the mask colour of the script editor's tools
}

# The row image of the server connection list: a server box with a screen
# and a green lamp, on white (the list's mask colour).
CONNECTION_ROW = [
    "wwwwwwwwwwwwwwww",
    "wwkkkkkkkkkkkkww",
    "wwkllllllllllkww",
    "wwklbbbbbbbblkww",
    "wwklbccccccblkww",
    "wwklbccccccblkww",
    "wwklbccccccblkww",
    "wwklbbbbbbbblkww",
    "wwkllllllllllkww",
    "wwkggggggggggkww",
    "wwklllllllnnlkww",
    "wwkggggggggggkww",
    "wwkkkkkkkkkkkkww",
    "wwwwwkkkkkkwwwww",
    "wwwkkkkkkkkkkwww",
    "wwwwwwwwwwwwwwww",
]

# Two 16-pixel images side by side for the image-list tests: a red square
# and a yellow cross, each on white.
TEST_TWO_IMAGES = [
    "".join("r" if 3 <= x <= 12 and 3 <= y <= 12 else "w" for x in range(16)) +
    "".join("y" if x in (7, 8) or y in (7, 8) else "w" for x in range(16))
    for y in range(16)
]

# The images of the hyperlink page's picture tree, 16 by 18 pixels each, side
# by side on red (the tree's mask colour): 0 the root (a screen), 1 a closed
# folder, 2 an open folder, 3 and 4 unused (blank), 5 a picture file.
PICTURE_TREE_IMAGES = [
    [  # the root: a screen on its foot
        "rrrrrrrrrrrrrrrr",
        "rrrrrrrrrrrrrrrr",
        "rkkkkkkkkkkkkkkr",
        "rkllllllllllllkr",
        "rklbbbbbbbbbblkr",
        "rklbccccccccblkr",
        "rklbccccccccblkr",
        "rklbccccnnccblkr",
        "rklbcccnnnncblkr",
        "rklbccnnnnnnblkr",
        "rklbbbbbbbbbblkr",
        "rkllllllllllllkr",
        "rkkkkkkkkkkkkkkr",
        "rrrrrrkkkkrrrrrr",
        "rrrrrrkggkrrrrrr",
        "rrrrkkkkkkkkrrrr",
        "rrrrrrrrrrrrrrrr",
        "rrrrrrrrrrrrrrrr",
    ],
    [  # a closed folder
        "rrrrrrrrrrrrrrrr",
        "rrrrrrrrrrrrrrrr",
        "rrrrrrrrrrrrrrrr",
        "rkkkkkrrrrrrrrrr",
        "kyyyyykrrrrrrrrr",
        "kkkkkkkkkkkkkkrr",
        "kyyyyyyyyyyyykrr",
        "kyyyyyyyyyyyykrr",
        "kyyyyyyyyyyyykrr",
        "kyyyyyyyyyyyykrr",
        "kyyyyyyyyyyyykrr",
        "kyyyyyyyyyyyykrr",
        "kyyyyyyyyyyyykrr",
        "kkkkkkkkkkkkkkrr",
        "rrrrrrrrrrrrrrrr",
        "rrrrrrrrrrrrrrrr",
        "rrrrrrrrrrrrrrrr",
        "rrrrrrrrrrrrrrrr",
    ],
    [  # an open folder
        "rrrrrrrrrrrrrrrr",
        "rrrrrrrrrrrrrrrr",
        "rrrrrrrrrrrrrrrr",
        "rkkkkkrrrrrrrrrr",
        "kyyyyykrrrrrrrrr",
        "kyyyyyykkkkkkrrr",
        "kyyyyyyyyyyykrrr",
        "kyyyykkkkkkkkkkk",
        "kyyykwwwwwwwwwkr",
        "kyykwwwwwwwwwkrr",
        "kyykwwwwwwwwwkrr",
        "kykwwwwwwwwwkrrr",
        "kykwwwwwwwwwkrrr",
        "kkkkkkkkkkkkrrrr",
        "rrrrrrrrrrrrrrrr",
        "rrrrrrrrrrrrrrrr",
        "rrrrrrrrrrrrrrrr",
        "rrrrrrrrrrrrrrrr",
    ],
    ["r" * 16] * 18,
    ["r" * 16] * 18,
    [  # a picture file: a page with a small drawing
        "rrrrrrrrrrrrrrrr",
        "rrkkkkkkkkkrrrrr",
        "rrkwwwwwwwkkrrrr",
        "rrkwwwwwwwkwkrrr",
        "rrkwwwwwwwkkkkrr",
        "rrkwwwwwwwwwwkrr",
        "rrkwbbbbbbbbwkrr",
        "rrkwbccccccbwkrr",
        "rrkwbcccyccbwkrr",
        "rrkwbccyyycbwkrr",
        "rrkwbcnnnnnbwkrr",
        "rrkwbnnnnnnbwkrr",
        "rrkwbbbbbbbbwkrr",
        "rrkwwwwwwwwwwkrr",
        "rrkwwwwwwwwwwkrr",
        "rrkkkkkkkkkkkkrr",
        "rrrrrrrrrrrrrrrr",
        "rrrrrrrrrrrrrrrr",
    ],
]


def side_by_side(images):
    return ["".join(image[y] for image in images) for y in range(len(images[0]))]


# The row images of the tag lists (5004 a system tag, 5005 any other): a tag
# with its hole, yellow or green, 14 pixels square so that it fits a row of 18.
def tag_row(fill, dark):
    rows = [
        "wwwwwwwwwwwwww",
        "wwwwwwwwwwwwww",
        "wwwwwkkkkkkkkw",
        "wwwwkFFFFFFFkw",
        "wwwkFFFFFFFFkw",
        "wwkFFwwFFFFFkw",
        "wkFFFwwFFFFFkw",
        "wkFFFFFFFFFFkw",
        "wwkFFFFFFFFFkw",
        "wwwkFFFFFFFFkw",
        "wwwwkDDDDDDDkw",
        "wwwwwkkkkkkkkw",
        "wwwwwwwwwwwwww",
        "wwwwwwwwwwwwww",
    ]
    return [r.replace('F', fill).replace('D', dark) for r in rows]


# The script editor's tools, 16 by 16 pixels each on magenta, in the order of
# its toolbar: save, cut, copy, paste, compile, trigger, help.
SCRIPT_TOOLS = [
    [  # save: a floppy disk
        "mmmmmmmmmmmmmmmm",
        "mkkkkkkkkkkkkkkm",
        "mkbbwwwwwwwwbbkm",
        "mkbbwwwwwwwwbbkm",
        "mkbbwkkkkkkwbbkm",
        "mkbbwwwwwwwwbbkm",
        "mkbbwkkkkkkwbbkm",
        "mkbbwwwwwwwwbbkm",
        "mkbbbbbbbbbbbbkm",
        "mkbbbbbbbbbbbbkm",
        "mkbbllllllllbbkm",
        "mkbblllkkllbbbkm",
        "mkbblllkkllbbbkm",
        "mkbbllllllllbbkm",
        "mkkkkkkkkkkkkkkm",
        "mmmmmmmmmmmmmmmm",
    ],
    [  # cut: scissors
        "mmmmmmmmmmmmmmmm",
        "mmmmkmmmmmmkmmmm",
        "mmmmkmmmmmmkmmmm",
        "mmmmkkmmmmkkmmmm",
        "mmmmmkmmmmkmmmmm",
        "mmmmmkkmmkkmmmmm",
        "mmmmmmkmmkmmmmmm",
        "mmmmmmkkkkmmmmmm",
        "mmmmmmmkkmmmmmmm",
        "mmmmmmbbbbmmmmmm",
        "mmmmbbbmmbbbmmmm",
        "mmmbmmbmmbmmbmmm",
        "mmmbmmbmmbmmbmmm",
        "mmmbmmbmmbmmbmmm",
        "mmmmbbmmmmbbmmmm",
        "mmmmmmmmmmmmmmmm",
    ],
    [  # copy: two pages
        "mmmmmmmmmmmmmmmm",
        "mkkkkkkmmmmmmmmm",
        "mkwwwwkkmmmmmmmm",
        "mkwkkwwkmmmmmmmm",
        "mkwwwwwkmmmmmmmm",
        "mkwkkkkkkkkkkmmm",
        "mkwwwwkwwwwwkkmm",
        "mkwkkwkwkkkwwkmm",
        "mkwwwwkwwwwwwkmm",
        "mkkkkkkwkkkkwkmm",
        "mmmmmmkwwwwwwkmm",
        "mmmmmmkwkkkkwkmm",
        "mmmmmmkwwwwwwkmm",
        "mmmmmmkwwwwwwkmm",
        "mmmmmmkkkkkkkkmm",
        "mmmmmmmmmmmmmmmm",
    ],
    [  # paste: a page on a clipboard
        "mmmmmmmmmmmmmmmm",
        "mmmmmkkkkkmmmmmm",
        "mmookklllkkoommm",
        "mookkkkkkkkkoomm",
        "mooooooooooooomm",
        "moooooookkkkkkkm",
        "mooooooookwwwwwk",
        "moooooookwkkkwwk",
        "mooooooookwwwwwk",
        "moooooookwkkkkwk",
        "mooooooookwwwwwk",
        "moooooookwkkkkwk",
        "mooooooookwwwwwk",
        "mmmmmmmmkwwwwwwk",
        "mmmmmmmmkkkkkkkk",
        "mmmmmmmmmmmmmmmm",
    ],
    [  # compile: a green check mark
        "mmmmmmmmmmmmmmmm",
        "mmmmmmmmmmmmmmmm",
        "mmmmmmmmmmmmmnnm",
        "mmmmmmmmmmmmnnnm",
        "mmmmmmmmmmmnnnmm",
        "mmmmmmmmmmnnnmmm",
        "mmmmmmmmmnnnmmmm",
        "mnnmmmmmnnnmmmmm",
        "mnnnmmmnnnmmmmmm",
        "mmnnnmnnnmmmmmmm",
        "mmmnnnnnmmmmmmmm",
        "mmmmnnnmmmmmmmmm",
        "mmmmmnmmmmmmmmmm",
        "mmmmmmmmmmmmmmmm",
        "mmmmmmmmmmmmmmmm",
        "mmmmmmmmmmmmmmmm",
    ],
    [  # trigger: a clock
        "mmmmmmmmmmmmmmmm",
        "mmmmmkkkkkkmmmmm",
        "mmmkkwwwwwwkkmmm",
        "mmkwwwwkwwwwwkmm",
        "mmkwwwwkwwwwwkmm",
        "mkwwwwwkwwwwwwkm",
        "mkwwwwwkwwwwwwkm",
        "mkwwwwwkkkkkwwkm",
        "mkwwwwwwwwwwwwkm",
        "mkwwwwwwwwwwwwkm",
        "mmkwwwwwwwwwwkmm",
        "mmkwwwwwwwwwwkmm",
        "mmmkkwwwwwwkkmmm",
        "mmmmmkkkkkkmmmmm",
        "mmmmmmmmmmmmmmmm",
        "mmmmmmmmmmmmmmmm",
    ],
    [  # help: a question mark
        "mmmmmmmmmmmmmmmm",
        "mmmmmbbbbbbmmmmm",
        "mmmmbbbmmbbbmmmm",
        "mmmbbbmmmmbbbmmm",
        "mmmbbbmmmmbbbmmm",
        "mmmmmmmmmbbbmmmm",
        "mmmmmmmmbbbmmmmm",
        "mmmmmmmbbbmmmmmm",
        "mmmmmmbbbmmmmmmm",
        "mmmmmmbbbmmmmmmm",
        "mmmmmmbbbmmmmmmm",
        "mmmmmmmmmmmmmmmm",
        "mmmmmmbbbmmmmmmm",
        "mmmmmmbbbmmmmmmm",
        "mmmmmmmmmmmmmmmm",
        "mmmmmmmmmmmmmmmm",
    ],
]


def strip(images, recolour=None):
    """The images side by side, each pixel through recolour (a dict) when given."""
    recolour = recolour or {}
    return ["".join("".join(recolour.get(ch, ch) for ch in image[y]) for image in images)
            for y in range(len(images[0]))]


# Hot tools: blue parts lighter. Disabled tools: everything but the mask grey.
SCRIPT_TOOLS_HOT = strip(SCRIPT_TOOLS, {'b': 'c'})
SCRIPT_TOOLS_DISABLED = strip(SCRIPT_TOOLS, {ch: 'g' for ch in PALETTE if ch not in 'mwl'})

BITMAPS = [
    ("connset/res/connrow.bmp", CONNECTION_ROW),
    ("editctrl/scripteditor/res/scripttools.bmp", strip(SCRIPT_TOOLS)),
    ("editctrl/scripteditor/res/scripttools_hot.bmp", SCRIPT_TOOLS_HOT),
    ("editctrl/scripteditor/res/scripttools_disabled.bmp", SCRIPT_TOOLS_DISABLED),
    ("framework/controls/test/twoimages.bmp", TEST_TWO_IMAGES),
    ("editctrl/pages/res/pictree.bmp", side_by_side(PICTURE_TREE_IMAGES)),
    ("editctrl/taglists/res/systemtag.bmp", tag_row('y', 'o')),
    ("editctrl/taglists/res/tag.bmp", tag_row('n', 'd')),
]


def bmp_bytes_rgb(rows):
    """An uncompressed 24-bit BMP of rows of (red, green, blue) pixels, top row first."""
    height = len(rows)
    width = len(rows[0])
    assert all(len(r) == width for r in rows), "rows of unequal width"
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        pixels += line
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + bytes(pixels)


def bmp_bytes(rows):
    return bmp_bytes_rgb([[PALETTE[ch] for ch in row] for row in rows])


def main():
    for path, rows in BITMAPS:
        full = os.path.join(ROOT, path)
        os.makedirs(os.path.dirname(full), exist_ok=True)
        with open(full, "wb") as f:
            f.write(bmp_bytes(rows))
        print("wrote", path)
    return 0


if __name__ == "__main__":
    sys.exit(main())
