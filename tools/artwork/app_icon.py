"""The program icon (orvendal.ico): the heroine's head and shoulders before
the moon on a teal tile with a gold bezel."""

import struct

from PIL import Image

import launcher_facts as facts

from .canvas import Canvas
from .gradients import linear, radial
from .heroine import (ROBE, ROBE_DEEP, SILK, Local, draw_head,
                      head_back_hair)
from .ornaments import gold_paint, gold_piece, jade
from .palette import GOLD_BRIGHT, GOLD_SHADOW, TEAL, TEAL_BLACK, TEAL_DEEP

ICON_SIZE = facts.ICON_SIZE


def draw_icon():
    n = ICON_SIZE
    cv = Canvas(n, n, 8)
    tile = cv.rect((0, 0, n, n), radius=7)
    cv.fill(tile, radial((n * 0.5, n * 0.35), n * 0.8,
                         [(0, TEAL), (0.6, TEAL_DEEP), (1, TEAL_BLACK)]))
    moon = cv.intersect(cv.disc(n * 0.5, n * 0.42, n * 0.4), tile)
    cv.fill(moon, radial((n * 0.6, n * 0.3), n * 0.5,
                         [(0, (255, 246, 220)), (0.6, (236, 206, 150)),
                          (1, (190, 140, 80))]))
    head = Local(32, 30, 12.5)
    head_back_hair(cv, head, 2.8)
    # Shoulders: robe, crossed collar and the tops of the pauldrons.
    body = cv.poly([(6, 64), (10, 56), (22, 51), (32, 52), (42, 51), (54, 56),
                    (58, 64)], smooth=True)
    cv.fill(body, linear((0, 50), (0, 64), [(0, ROBE), (1, ROBE_DEEP)]))
    collar = cv.poly([(26, 51), (38, 51), (32, 62)])
    cv.fill(collar, SILK)
    for a, b in (((26, 51), (32, 62)), ((38, 51), (32, 62))):
        cv.fill(cv.line([a, b], 1.4), GOLD_BRIGHT)
    for sx in (-1, 1):
        cx = 32 + sx * 21
        pad = cv.poly([(cx - 11, 66), (cx - 10, 57), (cx, 52), (cx + 10, 57),
                       (cx + 11, 66)], smooth=True)
        gold_piece(cv, pad, (cx - 11, 52, cx + 11, 66), depth=1.0,
                   shadow=True)
        jade(cv, cx - sx * 1, 57.5, 1.8, ring=False)
    draw_head(cv, head)
    # Gold bezel.
    bezel = cv.minus(tile, cv.rect((2.2, 2.2, n - 2.2, n - 2.2), radius=5))
    cv.fill(bezel, gold_paint((0, 0, n, n), 0.5))
    cv.bevel(bezel, 0.8, hi_op=0.7, lo_op=0.6)
    cv.fill(cv.minus(cv.rect((2.2, 2.2, n - 2.2, n - 2.2), radius=5),
                     cv.rect((3, 3, n - 3, n - 3), radius=4.5)),
            GOLD_SHADOW, 0.8)
    img = cv.img.resize((n, n), Image.LANCZOS)
    return img


def write_ico(img, path):
    """A single 32-bit BMP-format icon entry (not PNG): BITMAPINFOHEADER
    with doubled height, bottom-up BGRA rows, then an all-clear AND mask."""
    w, h = img.size
    xor = bytearray()
    for y in range(h - 1, -1, -1):
        for x in range(w):
            r, g, b, a = img.getpixel((x, y))
            xor += bytes((b, g, r, a))
    mask_row = ((w + 31) // 32) * 4
    and_mask = bytes(mask_row * h)
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0,
                         len(xor) + len(and_mask), 0, 0, 0, 0)
    image = header + bytes(xor) + and_mask
    icondir = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32,
                        len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(icondir + entry + image)
