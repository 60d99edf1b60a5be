"""The landing window's artwork (landing.png): the heroine on the left, a
gold-and-teal picture frame round the place where the program puts its
browser, the winged logo above it and the round dock on the frame's corner
that carries the program's three landing buttons.  Everything outside the
artwork is the colour key, which the window cuts away.
"""

import math
import struct

from PIL import Image, PngImagePlugin

import launcher_facts as facts

from .canvas import Canvas
from .colour_key import flatten_on_key
from .curves import spline
from .fonts import title_font
from .gradients import linear, radial
from .heroine import draw_heroine
from .ornaments import (feather, gold_moulding, gold_paint, gold_piece, jade,
                        quatrefoil)
from .palette import (CRIMSON, CRIMSON_BRIGHT, CRIMSON_DEEP, GOLD,
                      GOLD_BRIGHT, GOLD_DEEP, GOLD_PALE, GOLD_SHADOW, TEAL,
                      TEAL_BLACK, TEAL_BRIGHT, TEAL_DEEP, TEAL_GLOW)

LANDING_SIZE = facts.LANDING_SIZE
LANDING_SS = 2                              # supersampling of the landing
PICTURE_AREA = facts.BROWSER_AREA           # browser control goes here
FRAME_WIDTH = 40
FRAME_OUTER = (PICTURE_AREA[0] - FRAME_WIDTH, PICTURE_AREA[1] - FRAME_WIDTH,
               PICTURE_AREA[2] + FRAME_WIDTH, PICTURE_AREA[3] + FRAME_WIDTH)
LOGO_CENTRE_X = (PICTURE_AREA[0] + PICTURE_AREA[2]) // 2
# The dock sits under the program's three round buttons.
BUTTON_DOCK_CENTRE = (1096, 172)
BUTTON_DOCK_RADIUS = 52

PICTURE_FILL = (14, 19, 23)


def _inset(box, d):
    return (box[0] + d, box[1] + d, box[2] - d, box[3] - d)


def _fret(cv, start, along, across, length, height, into):
    """A running key-fret line in a band: `along` and `across` are unit
    vectors, the band starts at `start` and is `height` wide."""
    unit = height * 1.5
    n = max(int(length // unit), 1)
    unit = length / n
    g = height / 4.0          # grid step across the band
    u = unit / 5.0            # grid step along the band

    def at(a, c):
        return (start[0] + along[0] * a * u + across[0] * c * g,
                start[1] + along[1] * a * u + across[1] * c * g)
    for i in range(n):
        a0 = i * 5
        pts = [at(a0, 3.3), at(a0 + 0.6, 3.3), at(a0 + 0.6, 0.7),
               at(a0 + 4.2, 0.7), at(a0 + 4.2, 2.6), at(a0 + 2.0, 2.6),
               at(a0 + 2.0, 1.7), at(a0 + 3.1, 1.7)]
        cv.line(pts, max(height * 0.09, 1.1), into=into)
        cv.line([at(a0 + 0.6, 3.3), at(a0 + 5.6, 3.3)],
                max(height * 0.09, 1.1), into=into)


def _corner_ornament(cv, cx, cy, r):
    m = quatrefoil(cv, cx, cy, r)
    gold_piece(cv, m, (cx - r, cy - r, cx + r, cy + r), depth=2.2)
    cv.fill(cv.disc(cx, cy, r * 0.46), TEAL_BLACK)
    jade(cv, cx, cy, r * 0.3)


def draw_frame(cv):
    outer = FRAME_OUTER
    area = PICTURE_AREA
    whole = cv.rect(outer, radius=5)
    cv.shadow(whole, 3, 5, 6, (0, 0, 0), 0.55)

    band_a = cv.minus(whole, cv.rect(_inset(outer, 11), radius=3))
    band_b = cv.minus(cv.rect(_inset(outer, 11), radius=3),
                      cv.rect(_inset(outer, 29)))
    band_c = cv.minus(cv.rect(_inset(outer, 29)), cv.rect(_inset(outer, 37)))
    band_d = cv.minus(cv.rect(_inset(outer, 37)), cv.rect(area))

    # Teal lacquer field with a gold key-fret running round it.
    cv.fill(band_b, linear((outer[0], outer[1]), (outer[2], outer[3]),
                           [(0, TEAL_DEEP), (0.5, TEAL), (1, TEAL_DEEP)]))
    cv.inner_shadow(band_b, 4, TEAL_BLACK, 0.85)
    fret = cv.blank()
    x0, y0, x1, y1 = _inset(outer, 11)
    h = 18
    _fret(cv, (x0 + 26, y0 + 3), (1, 0), (0, 1), x1 - x0 - 52, h - 6, fret)
    _fret(cv, (x1 - 26, y1 - 3), (-1, 0), (0, -1), x1 - x0 - 52, h - 6, fret)
    _fret(cv, (x1 - 3, y0 + 26), (0, 1), (-1, 0), y1 - y0 - 52, h - 6, fret)
    _fret(cv, (x0 + 3, y1 - 26), (0, -1), (1, 0), y1 - y0 - 52, h - 6, fret)
    fret = cv.intersect(fret, band_b)
    cv.shadow(fret, 0.6, 0.8, 0.6, TEAL_BLACK, 0.9)
    cv.fill(fret, linear((0, outer[1]), (0, outer[3]),
                         [(0, GOLD_BRIGHT), (0.5, GOLD), (1, GOLD_BRIGHT)]))

    gold_moulding(cv, band_a, 11)
    gold_moulding(cv, band_c, 8)
    cv.fill(band_d, linear((0, area[1] - 3), (0, area[1]),
                           [(0, GOLD_SHADOW), (1, (8, 6, 4))]))

    # Ornaments: corners, middles of the sides, a pendant underneath.
    c = 20
    for cx, cy in ((outer[0] + c, outer[1] + c), (outer[0] + c, outer[3] - c),
                   (outer[2] - c, outer[3] - c)):
        _corner_ornament(cv, cx, cy, 30)
    midy = (outer[1] + outer[3]) / 2
    for cx in (outer[0] + c, outer[2] - c):
        _side_ornament(cv, cx, midy, cx < LOGO_CENTRE_X)
    _pendant(cv, LOGO_CENTRE_X, outer[3] - c)


def _side_ornament(cv, cx, cy, left):
    s = -1 if left else 1
    # A pointed cloud scroll bulging out of the side.
    pts = [(cx, cy - 46), (cx + s * 12, cy - 30), (cx + s * 26, cy - 14),
           (cx + s * 30, cy), (cx + s * 26, cy + 14), (cx + s * 12, cy + 30),
           (cx, cy + 46), (cx - s * 10, cy)]
    m = cv.poly(pts, smooth=True)
    gold_piece(cv, m, (cx - 30, cy - 46, cx + 30, cy + 46), depth=2.0)
    cv.fill(cv.disc(cx + s * 6, cy, 13), TEAL_BLACK)
    jade(cv, cx + s * 6, cy, 9)


def _pendant(cv, cx, cy):
    # Red silk tassel hanging under the frame.
    cord = cv.line([(cx, cy), (cx, cy + 58)], 3)
    cv.fill(cord, CRIMSON_DEEP)
    knot = cv.poly([(cx, cy + 44), (cx + 9, cy + 53), (cx, cy + 62),
                    (cx - 9, cy + 53)])
    cv.fill(knot, linear((cx - 9, 0), (cx + 9, 0),
                         [(0, CRIMSON_DEEP), (0.5, CRIMSON_BRIGHT),
                          (1, CRIMSON_DEEP)]))
    tassel = cv.poly([(cx - 4, cy + 60), (cx + 4, cy + 60), (cx + 10, cy + 98),
                      (cx + 3, cy + 102), (cx - 3, cy + 102),
                      (cx - 10, cy + 98)], smooth=True, steps=6)
    cv.fill(tassel, linear((cx - 10, 0), (cx + 10, 0),
                           [(0, CRIMSON_DEEP), (0.4, CRIMSON),
                            (0.6, CRIMSON_BRIGHT), (1, CRIMSON_DEEP)]))
    threads = cv.blank()
    for k in range(-3, 4):
        cv.line([(cx + k * 1.2, cy + 64), (cx + k * 2.4, cy + 100)], 0.6,
                into=threads)
    cv.fill(cv.intersect(threads, tassel), CRIMSON_DEEP, 0.8)
    cap = cv.rect((cx - 6, cy + 58, cx + 6, cy + 64), radius=2)
    gold_piece(cv, cap, (cx - 6, cy + 58, cx + 6, cy + 64), depth=0.8,
               shadow=False)
    # The mount it hangs from.
    pts = [(cx - 44, cy - 4), (cx - 22, cy - 14), (cx, cy - 10),
           (cx + 22, cy - 14), (cx + 44, cy - 4), (cx + 24, cy + 16),
           (cx, cy + 32), (cx - 24, cy + 16)]
    m = cv.poly(pts, smooth=True)
    gold_piece(cv, m, (cx - 44, cy - 14, cx + 44, cy + 32), depth=2.0)
    cv.fill(cv.disc(cx, cy + 6, 14), TEAL_BLACK)
    jade(cv, cx, cy + 6, 10)


def draw_button_dock(cv):
    """The round plate on the frame's upper right corner that carries the
    program's minimize / close / refresh buttons."""
    cx, cy = BUTTON_DOCK_CENTRE
    r = BUTTON_DOCK_RADIUS
    scallops = cv.disc(cx, cy, r + 3)
    for k in range(16):
        ang = 2 * math.pi * k / 16
        cv.disc(cx + math.cos(ang) * (r + 3), cy + math.sin(ang) * (r + 3),
                7.5, into=scallops)
    cv.shadow(scallops, 2, 4, 5, (0, 0, 0), 0.6)
    cv.outline(scallops, 1.0, GOLD_SHADOW)
    cv.fill(scallops, gold_paint((cx - r, cy - r, cx + r, cy + r), 0.5))
    cv.bevel(scallops, 3.0)
    ring = cv.minus(cv.disc(cx, cy, r - 2), cv.disc(cx, cy, r - 7))
    cv.fill(ring, GOLD_DEEP)
    cv.bevel(ring, 1.2, hi_op=0.6)
    well = cv.disc(cx, cy, r - 7)
    cv.fill(well, radial((cx - 12, cy - 16), r * 1.3,
                         [(0, TEAL), (0.5, TEAL_DEEP), (1, TEAL_BLACK)]))
    # Faint engraved cloud lines on the dark well.
    lines = cv.blank()
    for k in range(3):
        rr = 14 + k * 11
        cv.line([(cx + rr * math.cos(a / 10), cy + rr * math.sin(a / 10))
                 for a in range(-31, 16)], 1.0, into=lines)
    cv.fill(cv.intersect(lines, well), TEAL_BRIGHT, 0.18)
    cv.inner_shadow(well, 6, TEAL_BLACK, 0.9)


# One wing in the logo's own frame (right-hand wing, x outward from the
# logo's centre line): a curved leading edge with feathers hanging from it.
WING_EDGE = [(104, 150), (144, 104), (184, 66), (224, 38), (260, 26),
             (286, 32)]
WING_FEATHERS = [  # (position on edge 0..1, angle deg, length)
    (0.00 + k / 13 * 0.98, 88 - k * 5.6, (38, 56, 70, 82, 92, 98, 102, 102,
                                          98, 92, 84, 76, 66, 56)[k])
    for k in range(14)]


def _wing(cv, cx, side):
    """One side of the logo's spread wings (side = -1 left, +1 right)."""
    edge = spline(WING_EDGE, closed=False, steps=24)

    def place(x, y):
        return (cx + side * x, y)
    primaries, coverts, veins = cv.blank(), cv.blank(), cv.blank()
    for pos, deg, length in WING_FEATHERS:
        rx, ry = edge[int(pos * (len(edge) - 1))]
        for layer, scale, turn, width in ((primaries, 1.0, 0, 24),
                                          (coverts, 0.62, 7, 22)):
            a = math.radians(deg + turn)
            ang = a if side > 0 else math.pi - a
            feather(cv, place(rx, ry), ang, length * scale, width,
                     -12 * side * scale, layer)
        a = math.radians(deg)
        ang = a if side > 0 else math.pi - a
        tip = (rx + math.cos(a) * length * 0.85,
               ry + math.sin(a) * length * 0.85)
        cv.line([place(rx, ry), place(*tip)], 1.0, into=veins)
    arm = cv.band([place(x, y) for x, y in WING_EDGE],
                  [18, 16, 13, 10, 7, 3])
    box = (cx + min(0, side) * 300, 0, cx + max(0, side) * 300, 200)
    return primaries, coverts, veins, arm, box


def draw_logo(cv):
    cx = LOGO_CENTRE_X
    # Wings go behind everything else of the logo: teal flight feathers,
    # gold coverts over them, then the gold leading edge.
    wings = [_wing(cv, cx, side) for side in (-1, 1)]
    for primaries, coverts, veins, arm, box in wings:
        cv.shadow(primaries, 2, 4, 5, (0, 0, 0), 0.6)
        cv.outline(primaries, 1.0, TEAL_BLACK)
        cv.fill(primaries, radial((cx, 170), 300,
                                  [(0, TEAL_DEEP), (0.5, TEAL),
                                   (1, TEAL_BRIGHT)]))
        cv.bevel(primaries, 2.0, hi=TEAL_GLOW, lo=TEAL_BLACK, hi_op=0.7)
        cv.fill(cv.intersect(veins, primaries), TEAL_BLACK, 0.5)
    for primaries, coverts, veins, arm, box in wings:
        cv.shadow(coverts, 1.5, 3, 3, (0, 0, 0), 0.6)
        cv.outline(coverts, 1.0, GOLD_SHADOW)
        cv.fill(coverts, gold_paint(box, 0.2))
        cv.bevel(coverts, 2.0)
        cv.fill(cv.intersect(veins, coverts), GOLD_DEEP, 0.8)
        gold_piece(cv, arm, box, depth=2.5)

    # Flame scrolls flanking the crest.
    flames = cv.blank()
    for sx in (-1, 1):
        pts = [(cx + sx * 26, 116), (cx + sx * 50, 100), (cx + sx * 62, 76),
               (cx + sx * 56, 56), (cx + sx * 44, 52)]
        cv.band(pts, [14, 12, 9, 6, 3], into=flames)
        cv.disc(cx + sx * 47, 60, 6.5, into=flames)
    gold_piece(cv, flames, (cx - 62, 50, cx + 62, 116), depth=2.0)
    cv.fill(cv.intersect(cv.line([(cx - 47, 60), (cx - 47, 60)], 5),
                         flames), TEAL_DEEP)
    cv.fill(cv.intersect(cv.line([(cx + 47, 60), (cx + 47, 60)], 5),
                         flames), TEAL_DEEP)
    # Crest: a flame-shaped gold mount carrying a jade orb.
    crest = cv.poly([(cx, 26), (cx + 16, 52), (cx + 40, 82), (cx + 44, 112),
                     (cx, 128), (cx - 44, 112), (cx - 40, 82), (cx - 16, 52)],
                    smooth=True)
    gold_piece(cv, crest, (cx - 44, 26, cx + 44, 128), depth=2.5)
    cv.fill(cv.disc(cx, 92, 24), TEAL_BLACK)
    jade(cv, cx, 92, 19)

    # Title plate.
    top, bottom, half = 116, 190, 212
    mid = (top + bottom) / 2
    plate = [(cx - half, mid), (cx - half + 22, top), (cx + half - 22, top),
             (cx + half, mid), (cx + half - 22, bottom),
             (cx - half + 22, bottom)]
    pm = cv.poly(plate)
    gold_piece(cv, pm, (cx - half, top, cx + half, bottom), depth=2.5)
    inner = [(cx - half + 12, mid), (cx - half + 28, top + 7),
             (cx + half - 28, top + 7), (cx + half - 12, mid),
             (cx + half - 28, bottom - 7), (cx - half + 28, bottom - 7)]
    im = cv.poly(inner)
    cv.fill(im, linear((0, top), (0, bottom),
                       [(0, TEAL_DEEP), (0.45, TEAL_BLACK), (1, (4, 14, 16))]))
    cv.inner_shadow(im, 5, (0, 0, 0), 0.9)
    hair = [(cx - half + 19, mid), (cx - half + 32, top + 12),
            (cx + half - 32, top + 12), (cx + half - 19, mid),
            (cx + half - 32, bottom - 12), (cx - half + 32, bottom - 12)]
    cv.fill(cv.line(hair, 1.0, closed=True), GOLD, 0.7)

    font = title_font()
    word = cv.text("Orvendal", font, 50, (cx, mid + 2), "mm", spacing=2)
    cv.shadow(word, 1.5, 2.5, 2.0, (0, 0, 0), 0.9)
    cv.outline(word, 1.6, GOLD_SHADOW)
    cv.fill(word, linear((0, mid - 20), (0, mid + 20),
                         [(0, GOLD_PALE), (0.45, GOLD_BRIGHT), (0.55, GOLD),
                          (1, GOLD_DEEP)]))
    cv.bevel(word, 1.6, hi=(255, 252, 235), hi_op=0.8, lo_op=0.5)

    # Little jade studs on the pointed ends and a boss under the plate.
    for sx in (-1, 1):
        jade(cv, cx + sx * (half - 15), mid, 5)
    boss = quatrefoil(cv, cx, bottom + 6, 20)
    gold_piece(cv, boss, (cx - 20, bottom - 14, cx + 20, bottom + 26), 1.8)
    jade(cv, cx, bottom + 6, 7)


def draw_landing():
    w, h = LANDING_SIZE
    cv = Canvas(w, h, LANDING_SS)
    draw_frame(cv)
    draw_heroine(cv)
    draw_button_dock(cv)
    draw_logo(cv)
    rgb = flatten_on_key(cv.result())
    # The browser control covers this rectangle exactly; keep it a plain
    # dark surface so nothing peeks out while the page loads.
    area = Image.new("RGB", (PICTURE_AREA[2] - PICTURE_AREA[0],
                             PICTURE_AREA[3] - PICTURE_AREA[1]), PICTURE_FILL)
    rgb.paste(area, PICTURE_AREA[:2])
    return rgb


def save_png(rgb, path):
    info = PngImagePlugin.PngInfo()
    info.add(b"sRGB", b"\x00")                      # perceptual intent
    info.add(b"gAMA", struct.pack(">I", 45455))     # 1/2.2
    rgba = rgb.convert("RGBA")
    rgba.save(path, "PNG", pnginfo=info, dpi=(96, 96), optimize=False,
              compress_level=9)
