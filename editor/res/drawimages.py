#!/usr/bin/env python3
"""Draws QelMake's images: the toolbars' buttons (normal, hot and disabled
strips, magenta transparent), the images of the project tree, the attribute
list and the event-link list (red mask), and the program and project icons.

Each picture is drawn from lines, rectangles and ellipses on a 16 by 16
grid (32 by 32 for the large icons); the hot strip is the normal one a
little brighter, the disabled strip its grey shade. The files are written
next to this script and checked in; run it again after changing a picture
(python3 editor/res/drawimages.py). The build never runs it. The BMP files
are written by the framework's bitmap tool (framework/resources).
"""
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
# The BMP writer of the framework's bitmaps.
sys.path.insert(0, os.path.join(HERE, '..', '..', 'framework', 'resources'))
from drawbitmaps import bmp_bytes_rgb  # noqa: E402

MAGENTA = (255, 0, 255)
RED = (255, 0, 0)

# Colours of the pictures.
K = (0, 0, 0)
G = (128, 128, 128)
L = (192, 192, 192)
W = (255, 255, 255)
B = (0, 64, 160)      # dark blue lines
C = (96, 160, 255)    # light blue fill
N = (0, 140, 0)       # green
Y = (255, 208, 64)    # yellow
O = (224, 128, 32)    # orange
R = (208, 32, 32)     # red
P = (128, 64, 160)    # purple
T = (0, 128, 128)     # teal
F = (240, 240, 240)   # paper


class Img:
    def __init__(self, size=16):
        self.n = size
        self.px = [[None] * size for _ in range(size)]

    def dot(self, x, y, c):
        if 0 <= x < self.n and 0 <= y < self.n:
            self.px[y][x] = c

    def line(self, x0, y0, x1, y1, c):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.dot(x0, y0, c)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def lines(self, pts, c):
        for a, b in zip(pts, pts[1:]):
            self.line(a[0], a[1], b[0], b[1], c)

    def box(self, x0, y0, x1, y1, c, fill=None):
        if fill is not None:
            for y in range(y0 + 1, y1):
                for x in range(x0 + 1, x1):
                    self.dot(x, y, fill)
        if c is not None:
            self.lines([(x0, y0), (x1, y0), (x1, y1), (x0, y1), (x0, y0)], c)

    def fill(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.dot(x, y, c)

    def ellipse(self, x0, y0, x1, y1, c, fill=None):
        cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
        rx, ry = (x1 - x0) / 2.0 + 0.5, (y1 - y0) / 2.0 + 0.5
        inside = lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                if not inside(x, y):
                    continue
                edge = not all(inside(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                if edge and c is not None:
                    self.dot(x, y, c)
                elif not edge and fill is not None:
                    self.dot(x, y, fill)

    def poly(self, pts, c, fill=None):
        if fill is not None:
            ys = [p[1] for p in pts]
            for y in range(min(ys), max(ys) + 1):
                xs = []
                for (x0, y0), (x1, y1) in zip(pts, pts[1:] + pts[:1]):
                    if (y0 <= y < y1) or (y1 <= y < y0):
                        xs.append(x0 + (y - y0) * (x1 - x0) / float(y1 - y0))
                xs.sort()
                for a, b in zip(xs[::2], xs[1::2]):
                    for x in range(int(round(a)), int(round(b)) + 1):
                        self.dot(x, y, fill)
        if c is not None:
            self.lines(pts + pts[:1], c)

    def art(self, x0, y0, rows, palette):
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch in palette:
                    self.dot(x0 + dx, y0 + dy, palette[ch])


# ---- shared parts -------------------------------------------------------------

def page(im, x0=3, y0=1, x1=12, y1=14):
    im.poly([(x0, y0), (x1 - 3, y0), (x1, y0 + 3), (x1, y1), (x0, y1)], G, F)
    im.lines([(x1 - 3, y0), (x1 - 3, y0 + 3), (x1, y0 + 3)], G)


def folder(im, open_=False):
    im.poly([(1, 3), (6, 3), (7, 5), (14, 5), (14, 13), (1, 13)], O, Y)
    if open_:
        im.poly([(3, 8), (15, 8), (13, 13), (1, 13)], O, (255, 232, 140))


def floppy(im, body=B, label=W):
    im.box(1, 1, 14, 14, K, body)
    im.fill(4, 2, 11, 6, label)
    im.fill(4, 10, 11, 13, L)
    im.fill(9, 11, 10, 12, K)


def window(im):
    im.box(1, 2, 14, 13, B, W)
    im.fill(2, 3, 13, 4, C)


def arrowhead(im, x, y, dx, dy, c):
    # A small filled head pointing (dx, dy) with its tip at (x, y).
    if dx:
        im.poly([(x, y), (x - 3 * dx, y - 3), (x - 3 * dx, y + 3)], c, c)
    else:
        im.poly([(x, y), (x - 3, y - 3 * dy), (x + 3, y - 3 * dy)], c, c)


def magnifier(im, sign):
    im.ellipse(1, 1, 10, 10, K, W)
    im.line(9, 9, 14, 14, K)
    im.line(10, 9, 14, 13, K)
    if sign in '+-':
        im.line(3, 5, 8, 5, K)
    if sign == '+':
        im.line(5, 3, 5, 8, K)
    if sign == '1':
        im.art(5, 3, [".#", "##", ".#", ".#", ".#"], {'#': K})


def aligned(im, side):
    # A long and a short box against the line of their side.
    boxes = {
        'left': ((1, 1, 1, 14), (3, 3, 12, 6), (3, 9, 8, 12)),
        'right': ((14, 1, 14, 14), (3, 3, 12, 6), (7, 9, 12, 12)),
        'top': ((1, 1, 14, 1), (3, 3, 6, 12), (9, 3, 12, 8)),
        'bottom': ((1, 14, 14, 14), (3, 3, 6, 12), (9, 7, 12, 12)),
    }[side]
    im.fill(*boxes[0], K)
    for x0, y0, x1, y1 in boxes[1:]:
        im.box(x0, y0, x1, y1, B, C)


# ---- the standard toolbar ---------------------------------------------------------

def open_project(im):
    folder(im, True)


def save_picture(im):
    floppy(im)
    im.fill(5, 3, 10, 5, C)


def save_project(im):
    floppy(im, body=N)


def cut(im):
    im.line(4, 1, 10, 10, K)
    im.line(11, 1, 5, 10, K)
    im.ellipse(1, 10, 5, 14, B)
    im.ellipse(10, 10, 14, 14, B)


def copy(im):
    page(im, 1, 1, 9, 11)
    page(im, 6, 4, 14, 14)
    for y in (8, 10, 12):
        im.line(8, y, 12, y, G)


def paste(im):
    im.box(2, 2, 12, 14, O, (210, 170, 110))
    im.fill(5, 1, 9, 3, G)
    page(im, 7, 6, 14, 14)


def curved(im, right):
    xs = lambda x: 15 - x if right else x
    pts = [(4, 6), (8, 4), (11, 5), (13, 8), (12, 12), (9, 13)]
    im.lines([(xs(x), y) for x, y in pts], B)
    im.lines([(xs(x), y + 1) for x, y in pts[:3]], B)
    im.poly([(xs(1), 6), (xs(6), 2), (xs(6), 10)], B, B)


def undo(im):
    curved(im, False)


def redo(im):
    curved(im, True)


def workspace_bar(im):
    window(im)
    im.fill(2, 5, 5, 12, C)
    im.line(6, 5, 6, 12, B)


def output_bar(im):
    window(im)
    im.line(2, 9, 13, 9, B)
    im.fill(2, 10, 13, 12, (230, 230, 200))
    im.line(3, 11, 9, 11, G)


def tick(im, x, y, c=N):
    im.lines([(x, y + 2), (x + 2, y + 4), (x + 6, y)], c)
    im.lines([(x, y + 3), (x + 2, y + 5), (x + 6, y + 1)], c)


def compile_picture(im):
    page(im, 2, 1, 11, 14)
    tick(im, 7, 8)


def compile_project(im):
    page(im, 1, 1, 8, 10)
    page(im, 4, 3, 11, 12)
    page(im, 7, 5, 14, 14)
    tick(im, 7, 8)


def preview(im):
    im.box(1, 2, 14, 11, K, (40, 40, 60))
    im.fill(6, 12, 9, 13, G)
    im.poly([(6, 4), (10, 6), (6, 8)], W, W)


# ---- the drawing toolbar ----------------------------------------------------------

def select(im):
    im.poly([(4, 1), (4, 13), (7, 10), (9, 14), (11, 13), (9, 9), (13, 9)], K, W)


def line_tool(im):
    im.line(2, 13, 13, 2, K)
    im.line(3, 13, 13, 3, K)


def arrow_tool(im):
    im.line(2, 13, 11, 4, K)
    im.poly([(13, 2), (7, 4), (11, 8)], K, K)


def polyline(im):
    im.lines([(1, 13), (4, 4), (8, 11), (11, 2), (14, 9)], K)


def curve(im):
    im.lines([(1, 12), (2, 9), (4, 6), (6, 5), (8, 6), (9, 8), (11, 10), (13, 9), (14, 6)], K)


def ellipse_tool(im):
    im.ellipse(1, 3, 14, 12, K, C)


def rect_tool(im):
    im.box(2, 3, 13, 12, K, C)


def polygon_tool(im):
    im.poly([(2, 12), (5, 2), (12, 4), (14, 11), (7, 14)], K, C)


def closed_curve(im):
    im.poly([(3, 5), (6, 2), (10, 3), (13, 6), (12, 11), (8, 13), (4, 12), (2, 9)], K, C)


def pipe(im):
    im.fill(1, 4, 10, 8, (150, 150, 150))
    im.line(1, 4, 10, 4, K)
    im.line(1, 8, 6, 8, K)
    im.fill(6, 8, 10, 14, (150, 150, 150))
    im.line(10, 4, 10, 14, K)
    im.line(6, 8, 6, 14, K)
    im.line(2, 5, 9, 5, W)


LETTER_A = [".##.", "#..#", "#..#", "####", "#..#", "#..#"]


def text_tool(im):
    im.art(4, 3, [".####.", "##..##", "##..##", "######", "##..##", "##..##", "##..##"][0:7], {'#': K})
    im.line(4, 12, 11, 12, B)


def multitext(im):
    im.box(1, 1, 14, 14, G, W)
    im.art(3, 3, LETTER_A, {'#': K})
    for y in (4, 7, 10, 12):
        im.line(8 if y < 10 else 3, y, 12, y, B)


def tag_value(im):
    im.box(1, 3, 14, 12, B, (230, 240, 255))
    digits = {'0': ["###", "#.#", "#.#", "#.#", "###"], '5': ["###", "#..", "###", "..#", "###"]}
    im.art(3, 5, digits['0'], {'#': K})
    im.dot(7, 9, K)
    im.art(9, 5, digits['5'], {'#': K})


def image_tool(im):
    im.box(1, 2, 14, 13, K, (200, 230, 255))
    im.poly([(2, 12), (6, 6), (9, 10), (11, 8), (13, 12)], N, N)
    im.ellipse(9, 3, 11, 5, Y, Y)


def push_button(im):
    im.box(1, 4, 14, 11, K, L)
    im.line(2, 5, 13, 5, W)
    im.line(2, 5, 2, 10, W)
    im.line(3, 10, 13, 10, G)
    im.line(5, 7, 10, 7, K)
    im.line(5, 8, 10, 8, K)


def check_box(im):
    im.box(2, 2, 13, 13, K, W)
    tick(im, 4, 5, K)


def radio(im):
    im.ellipse(2, 2, 13, 13, K, W)
    im.ellipse(5, 5, 10, 10, K, K)


def edit_box(im):
    im.box(1, 4, 14, 11, K, W)
    im.line(4, 6, 4, 9, K)
    im.line(3, 6, 5, 6, K)
    im.line(3, 9, 5, 9, K)


def plugin(im):
    im.box(2, 5, 11, 12, B, C)
    im.fill(11, 7, 14, 7, K)
    im.fill(11, 10, 14, 10, K)
    im.line(6, 2, 6, 5, K)
    im.line(4, 2, 8, 2, K)


def activex(im):
    im.poly([(2, 5), (8, 2), (14, 5), (8, 8)], B, C)
    im.poly([(2, 5), (8, 8), (8, 14), (2, 11)], B, (60, 110, 200))
    im.poly([(8, 8), (14, 5), (14, 11), (8, 14)], B, (150, 190, 255))


def dashed_box(im):
    for x in range(1, 15, 2):
        im.dot(x, 1, K)
        im.dot(x, 14, K)
    for y in range(1, 15, 2):
        im.dot(1, y, K)
        im.dot(14, y, K)


def make_sub(im):
    dashed_box(im)
    im.box(3, 3, 8, 8, B, C)
    im.ellipse(7, 7, 12, 12, R, Y)


def break_sub(im):
    im.box(1, 1, 6, 6, B, C)
    im.ellipse(9, 9, 14, 14, R, Y)
    im.line(10, 2, 13, 5, K)
    im.line(13, 2, 10, 5, K)


def import_wmf(im):
    page(im, 5, 1, 14, 14)
    im.ellipse(7, 8, 12, 12, P)
    im.line(1, 6, 8, 6, N)
    im.poly([(9, 6), (6, 3), (6, 9)], N, N)


def rotate(im):
    im.lines([(3, 10), (3, 6), (5, 3), (9, 2), (12, 4), (13, 7), (12, 11), (9, 13)], B)
    im.poly([(3, 12), (0, 8), (6, 8)], B, B)


def mirror_horz(im):
    im.line(7, 1, 7, 14, G)
    im.poly([(1, 12), (6, 12), (6, 3)], B, C)
    im.poly([(14, 12), (9, 12), (9, 3)], B, W)


def mirror_vert(im):
    im.line(1, 7, 14, 7, G)
    im.poly([(3, 1), (12, 6), (3, 6)], B, C)
    im.poly([(3, 14), (12, 9), (3, 9)], B, W)


def group(im):
    im.box(1, 1, 14, 14, G)
    im.box(3, 3, 8, 8, B, C)
    im.ellipse(7, 7, 12, 12, R, Y)


def ungroup(im):
    im.box(1, 1, 7, 7, B, C)
    im.ellipse(8, 8, 14, 14, R, Y)
    for p in ((1, 14), (14, 1)):
        im.dot(p[0], p[1], G)


def forward(im):
    im.box(1, 1, 9, 9, G, L)
    im.box(6, 6, 14, 14, B, C)
    im.poly([(3, 13), (1, 11), (5, 11)], N, N)


def backward(im):
    im.box(6, 6, 14, 14, G, L)
    im.box(1, 1, 9, 9, B, C)
    im.poly([(12, 2), (10, 4), (14, 4)], N, N)


def space_horz(im):
    for x in (1, 6, 11):
        im.box(x, 4, x + 3, 11, B, C)
    im.line(0, 14, 15, 14, G)


def space_vert(im):
    for y in (1, 6, 11):
        im.box(4, y, 11, y + 3, B, C)
    im.line(14, 0, 14, 15, G)


def snap_grid(im):
    for y in range(1, 15, 3):
        for x in range(1, 15, 3):
            im.dot(x, y, K)
    im.box(4, 4, 10, 10, B)


def align_left(im):
    aligned(im, 'left')


def align_top(im):
    aligned(im, 'top')


def align_right(im):
    aligned(im, 'right')


def align_bottom(im):
    aligned(im, 'bottom')


def zoom_in(im):
    magnifier(im, '+')


def zoom_out(im):
    magnifier(im, '-')


def zoom_100(im):
    magnifier(im, '1')


def connection(im):
    im.box(1, 1, 6, 13, K, L)
    for y in (3, 5):
        im.line(2, y, 5, y, G)
    im.dot(3, 10, N)
    im.ellipse(9, 1, 14, 4, B, C)
    im.fill(10, 3, 13, 11, C)
    im.line(9, 3, 9, 11, B)
    im.line(14, 3, 14, 11, B)
    im.ellipse(9, 9, 14, 12, B)
    im.line(6, 8, 9, 8, N)


STANDARD = [open_project, save_picture, save_project, cut, copy, paste, undo, redo, workspace_bar,
            output_bar, compile_picture, compile_project, preview]
DRAW = [select, line_tool, arrow_tool, polyline, curve, ellipse_tool, rect_tool, polygon_tool, closed_curve,
        pipe, text_tool, multitext, tag_value, image_tool, push_button, check_box, radio, edit_box, plugin,
        activex, make_sub, break_sub, import_wmf, rotate, mirror_horz, mirror_vert, group, ungroup,
        align_left, forward, backward, space_horz, space_vert, snap_grid, zoom_in,
        # the choices shown on the drop-down buttons
        align_left, align_top, align_right, align_bottom, zoom_in, zoom_out, zoom_100]
ALIGN = [align_left, align_top, align_right, align_bottom, zoom_in, zoom_out, zoom_100, connection]


# ---- the lists ------------------------------------------------------------------

def project(im):
    im.box(2, 1, 13, 14, B, C)
    im.fill(3, 2, 4, 13, B)
    im.art(7, 4, [".##.", "#..#", "#..#", "#.##", ".###", "...#"], {'#': W})


def folder_closed(im):
    folder(im)


def folder_open(im):
    folder(im, True)


def local_tags(im):
    im.box(1, 2, 14, 13, K, W)
    im.fill(2, 3, 13, 4, C)
    for y in (7, 10):
        im.line(1, y, 14, y, G)
    im.line(5, 3, 5, 13, G)


def properties(im):
    im.box(1, 1, 12, 14, K, W)
    for y in (4, 7, 10):
        im.line(3, y, 10, y, B)
    im.line(14, 5, 8, 13, O)
    im.line(14, 6, 9, 13, O)


def picture_item(im):
    im.box(1, 2, 14, 13, B, W)
    im.box(3, 6, 7, 11, R, Y)
    im.ellipse(8, 4, 12, 8, N, C)


def database(im):
    im.ellipse(3, 1, 12, 4, B, C)
    im.fill(4, 3, 11, 12, C)
    im.line(3, 3, 3, 12, B)
    im.line(12, 3, 12, 12, B)
    im.ellipse(3, 10, 12, 14, B)


def tag(im):
    im.poly([(1, 7), (6, 2), (14, 2), (14, 12), (6, 12)], O, Y)
    im.dot(5, 7, K)


def about(im):
    im.ellipse(1, 1, 14, 14, B, C)
    im.fill(7, 3, 8, 4, W)
    im.fill(7, 6, 8, 12, W)


TREE = [project, folder_closed, folder_open, local_tags, properties, picture_item, connection, database, tag,
        about]


def swatch(fill):
    def draw(im):
        im.box(2, 2, 13, 13, K, fill)
    return draw


def letter_t(im):
    im.fill(3, 3, 12, 4, K)
    im.fill(7, 5, 8, 13, K)


def font_a(im):
    im.art(3, 2, ["..##..", ".#..#.", "#....#", "######", "#....#", "#....#"], {'#': B})
    im.line(2, 12, 13, 12, K)


def dashes(im):
    for x in range(1, 15, 4):
        im.line(x, 7, x + 1, 7, K)
    im.line(1, 11, 14, 11, K)


def size_arrows(im):
    im.line(2, 8, 13, 8, K)
    im.poly([(1, 8), (4, 5), (4, 11)], K, K)
    im.poly([(14, 8), (11, 5), (11, 11)], K, K)


def eye(im):
    im.ellipse(1, 4, 14, 11, K, W)
    im.ellipse(6, 5, 9, 10, B, B)


def lock(im):
    im.box(3, 7, 12, 14, K, Y)
    im.lines([(5, 7), (5, 3), (10, 3), (10, 7)], K)


def id_card(im):
    im.box(1, 3, 14, 12, K, F)
    im.box(3, 5, 6, 9, G, C)
    for y in (6, 8):
        im.line(8, y, 12, y, G)


def gear(im):
    im.ellipse(3, 3, 12, 12, K, L)
    im.ellipse(6, 6, 9, 9, K, W)
    for x, y in ((7, 1), (7, 13), (1, 7), (13, 7)):
        im.fill(x, y, x + 1, y + 1, K)


ATTRIBUTES = [swatch(Y), swatch(C), swatch(N), size_arrows, font_a, dashes, letter_t, eye, id_card, lock,
              gear, properties]


def script(im):
    page(im, 2, 1, 13, 14)
    for y, x1 in ((4, 9), (6, 11), (8, 8), (10, 11)):
        im.line(4, y, x1, y, B)


def mouse(im):
    im.ellipse(3, 1, 12, 14, K, W)
    im.line(3, 6, 12, 6, K)
    im.line(7, 1, 7, 6, K)
    im.fill(4, 2, 6, 5, R)


EVENT_LINKS = [swatch(R), swatch(C), swatch(N), swatch(Y), script, mouse]


# ---- files ------------------------------------------------------------------------

def render(draw, size=16):
    im = Img(size)
    draw(im)
    return im.px


def brighter(c):
    return tuple(min(255, int(v + (255 - v) * 0.25)) for v in c)


def grey(c):
    shade = int(0.3 * c[0] + 0.59 * c[1] + 0.11 * c[2])
    shade = 128 + shade // 2
    return (shade, shade, shade)


def strip(draws, background, tone=None):
    rows = []
    pictures = [render(d) for d in draws]
    for y in range(16):
        row = []
        for pic in pictures:
            for x in range(16):
                c = pic[y][x]
                row.append(background if c is None else (tone(c) if tone else c))
        rows.append(row)
    return rows


def write_bmp(name, rows):
    with open(os.path.join(HERE, name), 'wb') as f:
        f.write(bmp_bytes_rgb(rows))


def icon_image(draw, size):
    """One icon image: 32-bit colour with its AND mask."""
    px = render(draw, size)
    xor = bytearray()
    for y in reversed(range(size)):
        for x in range(size):
            c = px[y][x]
            xor += bytes((0, 0, 0, 0)) if c is None else bytes((c[2], c[1], c[0], 255))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(size)):
        bits = bytearray(mask_stride)
        for x in range(size):
            if px[y][x] is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + mask


def write_ico(name, draws):
    images = [icon_image(d, s) for d, s in draws]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (d, s), data in zip(draws, images):
        out += struct.pack('<BBBBHHII', s, s, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(os.path.join(HERE, name), 'wb') as f:
        f.write(out + b''.join(images))


def scaled(draw):
    def big(im):
        small = Img(16)
        draw(small)
        for y in range(16):
            for x in range(16):
                c = small.px[y][x]
                if c is not None:
                    im.fill(2 * x, 2 * y, 2 * x + 1, 2 * y + 1, c)
    return big


def app_icon(im):
    # A picture window with a gauge: the editor of process pictures.
    im.box(0, 1, 15, 14, B, W)
    im.fill(1, 2, 14, 3, B)
    im.ellipse(3, 5, 12, 14, G, F)
    im.fill(3, 10, 12, 13, W)
    im.line(3, 10, 12, 10, G)
    im.line(7, 10, 10, 6, R)
    im.fill(7, 9, 8, 10, K)


def doc_icon(im):
    page(im, 2, 0, 13, 15)
    im.box(4, 5, 8, 9, B, C)
    im.ellipse(7, 8, 11, 12, R, Y)


def main():
    for name, draws in (('standard', STANDARD), ('draw', DRAW), ('align', ALIGN)):
        write_bmp('%s.bmp' % name, strip(draws, MAGENTA))
        write_bmp('%s_hot.bmp' % name, strip(draws, MAGENTA, brighter))
        write_bmp('%s_disabled.bmp' % name, strip(draws, MAGENTA, grey))
    write_bmp('projecttree.bmp', strip(TREE, RED))
    write_bmp('attributes.bmp', strip(ATTRIBUTES, RED))
    write_bmp('eventlinks.bmp', strip(EVENT_LINKS, RED))
    write_ico('qelmake.ico', [(scaled(app_icon), 32), (app_icon, 16)])
    write_ico('qelprj.ico', [(scaled(doc_icon), 32), (doc_icon, 16)])


if __name__ == '__main__':
    main()
