"""The title bar's own pictures: the strip tile the program repeats along
the bar, and the logo face at its left end.  The band they share is also
the background of every title-bar button face."""

import math

from PIL import Image

import launcher_facts as facts

from .canvas import SMALL_SS, Canvas
from .colour_key import nudge_key
from .fonts import title_font
from .gradients import linear, mix
from .ornaments import feather, gold_paint
from .palette import (GLYPH_SHADOW, GOLD, GOLD_BRIGHT, GOLD_PALE,
                      STRIP_BOTTOM, STRIP_EDGE, STRIP_HIGHLIGHT, STRIP_MID,
                      STRIP_TOP, TEAL_BRIGHT, TEAL_GLOW)

STRIP_SIZE = facts.STRIP_SIZE
LOGO_SIZE = facts.LOGO_SIZE


def strip_background(w, h=STRIP_SIZE[1]):
    """The title bar's band: every column identical, so tiles and buttons
    butt together without a seam."""
    col = []
    for y in range(h):
        if y == 0:
            c = STRIP_HIGHLIGHT
        elif y >= h - 1:
            c = STRIP_EDGE
        elif y == h - 2:
            c = mix(STRIP_BOTTOM, STRIP_EDGE, 0.5)
        else:
            t = (y - 1) / (h - 4)
            c = (mix(STRIP_TOP, STRIP_MID, t / 0.55) if t < 0.55 else
                 mix(STRIP_MID, STRIP_BOTTOM, (t - 0.55) / 0.45))
            if y == 1:
                c = mix(c, STRIP_HIGHLIGHT, 0.35)
        col.append(c)
    im = Image.new("RGB", (1, h))
    im.putdata(col)
    return im.resize((w, h), Image.NEAREST)


def draw_logo_face():
    w, h = LOGO_SIZE
    img = strip_background(w, h)
    cv = Canvas(w, h, SMALL_SS)
    # Emblem: a jade in a small gold lozenge with two wing flicks.
    ex, ey = 12.5, h / 2 - 0.5
    wings = cv.blank()
    for s in (-1, 1):
        for k in range(3):
            feather(cv, (ex + s * 2, ey + 1),
                    math.radians(-90 + s * (25 + k * 22)), 9 - k, 3.2,
                    -s * 1.5, wings)
    cv.shadow(wings, 0, 0.8, 0.6, GLYPH_SHADOW, 0.9)
    cv.fill(wings, linear((0, ey - 9), (0, ey + 4),
                          [(0, GOLD_PALE), (1, GOLD)]))
    gem = cv.poly([(ex, ey - 6), (ex + 5, ey), (ex, ey + 7), (ex - 5, ey)])
    cv.shadow(gem, 0, 0.8, 0.6, GLYPH_SHADOW, 0.9)
    cv.fill(gem, gold_paint((ex - 5, ey - 6, ex + 5, ey + 7), 0.3))
    cv.fill(cv.disc(ex, ey + 0.5, 2.4), TEAL_BRIGHT)
    cv.fill(cv.disc(ex - 0.7, ey - 0.3, 0.8), TEAL_GLOW)
    word = cv.text("Orvendal", title_font(), 15.5, (57.5, h / 2), "mm",
                   spacing=0.4)
    cv.shadow(word, 0.3, 1.0, 0.5, STRIP_EDGE, 1.0)
    cv.outline(word, 0.5, (90, 34, 6), 0.9)
    cv.fill(word, linear((0, 9), (0, 21), [(0, GOLD_PALE), (0.5, (255, 220,
                                                                  140)),
                                           (1, GOLD_BRIGHT)]))
    art = cv.result()
    img.paste(art.convert("RGB"), mask=art.getchannel("A"))
    return nudge_key(img)


def draw_title_bar():
    """{file name: picture} for the strip tile and the logo face."""
    return {facts.picture_file(facts.TITLE_STRIP):
            strip_background(*STRIP_SIZE),
            facts.picture_file(facts.LOGO): draw_logo_face()}
