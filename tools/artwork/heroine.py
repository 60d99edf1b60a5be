"""The heroine of the landing artwork: a swordswoman in teal robes and gold
armour before a rising moon, with clouds about her feet.  Her head and hair
are drawn in their own unit coordinates (see Local) so that the program
icon can reuse them at a much smaller size.
"""

import math
import random

from .curves import spline
from .gradients import linear, radial
from .ornaments import gold_moulding, gold_piece, jade, quatrefoil
from .palette import (CRIMSON, CRIMSON_BRIGHT, CRIMSON_DEEP, GOLD_BRIGHT,
                      GOLD_DEEP, GOLD_PALE, GOLD_SHADOW, TEAL, TEAL_BLACK,
                      TEAL_BRIGHT, TEAL_DEEP, TEAL_GLOW)

SKIN_LIGHT = (255, 232, 214)
SKIN = (240, 196, 170)
SKIN_SHADE = (196, 132, 112)
HAIR = (16, 18, 26)
HAIR_SHEEN = (70, 104, 124)
LIP = (196, 58, 70)
EYE_LINE = (34, 18, 20)
IRIS = (92, 52, 34)
ROBE_DEEP = (8, 40, 46)
ROBE = (20, 92, 96)
ROBE_LIGHT = (60, 160, 156)
SILK = (246, 238, 226)
SILK_SHADE = (176, 190, 190)

MOON_CENTRE = (244, 330)
MOON_RADIUS = 160


class Local:
    """Maps a part's own unit coordinates onto the canvas."""

    def __init__(self, cx, cy, s):
        self.cx, self.cy, self.s = cx, cy, s

    def __call__(self, pts):
        return [(self.cx + x * self.s, self.cy + y * self.s) for x, y in pts]

    def p(self, x, y):
        return (self.cx + x * self.s, self.cy + y * self.s)

    def d(self, v):
        return v * self.s


def _hair(cv, mask, T, sheen_arcs=()):
    cv.fill(mask, HAIR)
    sheen = cv.blank()
    for arc in sheen_arcs:
        cv.line(T(arc), T.d(0.09), smooth=True, into=sheen)
    sheen = cv.intersect(cv.blur(sheen, T.d(0.05)), mask)
    cv.fill(sheen, HAIR_SHEEN, 0.75)
    cv.inner_shadow(mask, T.d(0.12), (0, 0, 0), 0.5)


def head_back_hair(cv, T, length):
    """Hair falling behind the head and shoulders; `length` in head units
    (the landing's hair streams far to the left in the wind)."""
    if length > 3:
        pts = [(-0.7, -1.35), (-1.1, -0.4), (-1.35, 1.0), (-1.9, 2.6),
               (-2.9, 4.4), (-4.4, 6.6), (-3.4, 6.0), (-2.3, 5.2),
               (-1.3, 4.4), (-0.3, 3.0), (0.9, 1.6), (1.05, 0.2),
               (0.95, -1.0), (0.3, -1.6)]
        arcs = [[(-0.9, -0.2), (-1.4, 1.6), (-2.3, 3.5), (-3.6, 5.6)],
                [(-0.6, 0.6), (-1.0, 2.4), (-1.8, 4.2)]]
    else:
        pts = [(-0.72, -1.35), (-1.05, -0.4), (-1.15, 1.0), (-1.35, length),
               (0.0, length + 0.2), (1.35, length), (1.2, 0.8),
               (1.02, -0.6), (0.3, -1.6)]
        arcs = [[(-0.95, -0.3), (-1.05, 1.2), (-1.2, length - 0.2)]]
    m = cv.poly(T(pts), smooth=True)
    _hair(cv, m, T, arcs)


def draw_head(cv, T, forehead_mark=True):
    """Face, front hair, bun and crown.  T maps head units (face half
    height ~1, centred between the eyes and the chin) onto the canvas."""
    # Neck.
    neck = cv.poly(T([(-0.24, 0.6), (0.3, 0.6), (0.34, 1.8), (-0.3, 1.8)]))
    cv.fill(neck, linear(T.p(-0.3, 0), T.p(0.34, 0),
                         [(0, SKIN_SHADE), (0.6, SKIN), (1, SKIN_LIGHT)]))

    # Top of the skull (behind the face outline).
    skull = cv.poly(T([(-0.8, -0.1), (-0.88, -0.9), (-0.6, -1.45),
                       (0.05, -1.66), (0.66, -1.46), (0.9, -0.9),
                       (0.84, -0.1)]), smooth=True)
    _hair(cv, skull, T, [[(-0.5, -1.35), (0.05, -1.55), (0.55, -1.38)]])

    face_pts = [(0.04, -1.02), (0.46, -0.94), (0.69, -0.56), (0.73, -0.08),
                (0.64, 0.4), (0.44, 0.78), (0.2, 1.02), (0.08, 1.1),
                (-0.06, 1.04), (-0.36, 0.8), (-0.58, 0.42), (-0.68, -0.08),
                (-0.64, -0.56), (-0.42, -0.94)]
    face = cv.poly(T(face_pts), smooth=True)
    cv.fill(cv.intersect(cv.blur(cv.shift(face, T.d(0.04), T.d(0.16)),
                                 T.d(0.06)), neck), (150, 90, 80), 0.8)
    cv.fill(face, radial(T.p(0.12, -0.05), T.d(1.15),
                         [(0, SKIN_LIGHT), (0.55, SKIN), (1, SKIN_SHADE)]))
    # Soft shade under the fringe and down the far cheek.
    shade = cv.blank()
    cv.poly(T([(-0.8, -1.2), (0.8, -1.2), (0.8, -0.55), (-0.8, -0.55)]),
            into=shade)
    cv.poly(T([(-0.8, -0.5), (-0.55, -0.5), (-0.5, 0.5), (-0.1, 1.2),
               (-0.8, 1.2)]), smooth=False, into=shade)
    cv.fill(cv.intersect(cv.blur(shade, T.d(0.3)), face), SKIN_SHADE, 0.4)
    for sx in (-0.36, 0.42):
        cv.fill(cv.intersect(cv.disc(*T.p(sx, 0.42), T.d(0.2)), face),
                radial(T.p(sx, 0.42), T.d(0.2),
                       [(0, (236, 120, 120, 110)), (1, (236, 120, 120, 0))]))

    # Eyes: almond whites, amber irises, a heavy upper lid flicked out.
    for ex, outward in ((-0.3, -1), (0.37, 1)):
        ey = 0.1
        inner_x, outer_x = ex - outward * 0.17, ex + outward * 0.22
        white = cv.poly(T([(inner_x, ey + 0.02), (ex, ey - 0.11),
                           (outer_x, ey - 0.05), (ex + outward * 0.05,
                                                   ey + 0.085)]),
                        smooth=True, steps=8)
        cv.fill(white, (250, 246, 240))
        iris = cv.intersect(cv.disc(*T.p(ex + outward * 0.02, ey - 0.005),
                                    T.d(0.105)), white)
        cv.fill(iris, radial(T.p(ex, ey + 0.04), T.d(0.11),
                             [(0, (176, 120, 60)), (0.6, IRIS),
                              (1, (40, 20, 16))]))
        cv.fill(cv.intersect(cv.disc(*T.p(ex + outward * 0.02, ey),
                                     T.d(0.048)), white), (20, 10, 10))
        cv.fill(cv.minus(white, cv.shift(white, 0, T.d(0.035))), EYE_LINE,
                0.35)
        cv.fill(cv.disc(*T.p(ex - outward * 0.025, ey - 0.045), T.d(0.028)),
                (255, 255, 255))
        lid = [(inner_x, ey + 0.015), (ex - outward * 0.06, ey - 0.1),
               (ex + outward * 0.12, ey - 0.095), (outer_x, ey - 0.05),
               (outer_x + outward * 0.1, ey - 0.12)]
        cv.fill(cv.band(T(lid), [T.d(0.02), T.d(0.055), T.d(0.065),
                                 T.d(0.045), T.d(0.01)], steps=8), EYE_LINE)
        low = [(inner_x + outward * 0.06, ey + 0.065),
               (ex + outward * 0.07, ey + 0.085), (outer_x, ey - 0.02)]
        cv.fill(cv.line(T(low), T.d(0.018), smooth=True), SKIN_SHADE, 0.9)
        brow = [(ex - outward * 0.18, ey - 0.29), (ex, ey - 0.37),
                (ex + outward * 0.24, ey - 0.4)]
        cv.fill(cv.band(T(brow), [T.d(0.035), T.d(0.042), T.d(0.012)]),
                (52, 32, 30))

    # Nose and mouth.
    cv.fill(cv.line(T([(0.1, 0.3), (0.13, 0.43), (0.07, 0.47)]), T.d(0.025),
                    smooth=True), SKIN_SHADE, 0.9)
    lips = cv.poly(T([(-0.08, 0.7), (0.04, 0.665), (0.19, 0.7),
                      (0.06, 0.76)]), smooth=True, steps=8)
    cv.fill(lips, linear(T.p(0, 0.66), T.p(0, 0.76),
                         [(0, (160, 40, 52)), (1, LIP)]))
    cv.fill(cv.line(T([(-0.08, 0.7), (0.05, 0.705), (0.19, 0.7)]),
                    T.d(0.012)), (120, 30, 40))
    if forehead_mark:
        mark = cv.poly(T([(0.04, -0.62), (0.08, -0.52), (0.04, -0.44),
                          (0.0, -0.52)]), smooth=True, steps=6)
        cv.fill(mark, CRIMSON)

    # Fringe: swept from a parting on her right, long locks framing the
    # face.
    fringe = cv.poly(T([(0.32, -1.52), (-0.2, -1.44), (-0.66, -1.12),
                        (-0.86, -0.5), (-0.8, 0.34), (-0.68, -0.3),
                        (-0.46, -0.6), (-0.16, -0.7), (0.12, -0.82),
                        (0.32, -1.02), (0.44, -0.82), (0.64, -0.52),
                        (0.76, 0.24), (0.86, -0.6), (0.78, -1.15),
                        (0.56, -1.46)]), smooth=True)
    cv.shadow(cv.intersect(fringe, cv.grow(face, 2)), 0, T.d(0.06),
              T.d(0.05), SKIN_SHADE, 0.6)
    _hair(cv, fringe, T, [[(-0.66, -0.7), (-0.4, -1.1), (0.1, -1.3)],
                          [(0.5, -1.22), (0.74, -0.8)]])
    for lock in ([(-0.7, -0.4), (-0.84, 0.6), (-0.86, 1.6), (-0.98, 2.5)],
                 [(0.76, -0.3), (0.86, 0.6), (0.88, 1.4), (1.0, 2.2)]):
        m = cv.band(T(lock), [T.d(0.2), T.d(0.22), T.d(0.16), T.d(0.02)])
        _hair(cv, m, T, [lock[:3]])

    # Bun, crown and hairpin.
    bun = cv.disc(*T.p(0.04, -1.78), T.d(0.4), ry=T.d(0.34))
    _hair(cv, bun, T, [[(-0.2, -1.95), (0.04, -2.05), (0.26, -1.95)]])
    pin = cv.line(T([(-0.95, -1.5), (1.05, -2.12)]), T.d(0.07))
    gold_piece(cv, pin, (*T.p(-1, -2.2), *T.p(1, -1.4)), depth=T.d(0.03),
               shadow=False)
    crown = cv.poly(T([(-0.46, -1.5), (-0.52, -1.86), (-0.32, -1.98),
                       (-0.16, -2.1), (0.04, -2.42), (0.24, -2.1),
                       (0.4, -1.98), (0.6, -1.86), (0.54, -1.5),
                       (0.04, -1.62)]), smooth=True, steps=6)
    gold_piece(cv, crown, (*T.p(-0.5, -2.4), *T.p(0.6, -1.5)),
               depth=T.d(0.06))
    jade(cv, *T.p(0.04, -1.76), T.d(0.11))
    cv.fill(cv.line(T([(1.02, -2.1), (1.13, -1.3)]), T.d(0.02)), CRIMSON_DEEP)
    for k in range(5):
        bead = T.p(1.04 + 0.02 * k, -1.98 + 0.14 * k)
        cv.fill(cv.disc(*bead, T.d(0.045)), CRIMSON_BRIGHT)
    tassel = cv.band(T([(1.13, -1.3), (1.15, -1.0), (1.2, -0.7)]),
                     [T.d(0.06), T.d(0.1), T.d(0.12)])
    cv.fill(tassel, CRIMSON)


def _cloth(cv, mask, paint, folds=(), fold_w=4.0, dark=(0, 0, 0),
           fold_op=0.45, rim=None, shade=0.55):
    cv.fill(mask, paint)
    if folds:
        f = cv.blank()
        for pts in folds:
            cv.line(pts, fold_w, smooth=True, into=f)
        cv.fill(cv.intersect(cv.blur(f, fold_w * 0.7), mask), dark, fold_op)
    cv.inner_shadow(mask, 6, dark, shade)
    if rim:
        cv.bevel(mask, 3.0, hi=rim, lo=dark, hi_op=0.5, lo_op=0.0)


def _sleeve(cv, side_a, hem, side_b, folds):
    """A wide hanging sleeve; `hem` runs along its open end, where the
    silk lining shows and a gold band edges it."""
    outline = spline(side_a + hem[1:-1] + side_b, True, 8)
    m = cv.poly(outline)
    cv.shadow(m, 3, 4, 5, (0, 0, 0), 0.55)
    _cloth(cv, m, linear(outline[0], hem[-1],
                         [(0, ROBE_LIGHT), (0.55, ROBE), (1, ROBE_DEEP)]),
           folds=folds, dark=TEAL_BLACK, rim=TEAL_GLOW)
    lining = cv.intersect(cv.band([(x, y - 5) for x, y in hem], 9), m)
    cv.fill(lining, linear(hem[0], hem[-1], [(0, SILK_SHADE), (1, SILK)]))
    _trim(cv, hem, 5, clip=cv.grow(m, 2.5))


def _spiral(cx, cy, r, turn, count, sweep, taper):
    """Points of a curl winding inwards: count points over sweep half-turns (turn -1
    winds the other way), the radius shrinking by 1/taper per point."""
    pts = []
    for k in range(count):
        a = turn * k / (count - 1) * sweep * math.pi
        q = r * (1 - k / taper)
        pts.append((cx + q * math.cos(a), cy + q * math.sin(a)))
    return pts


def _embroidery(cv, clip, spots, r=9):
    """Gold-thread cloud curls stitched onto cloth."""
    thread = cv.blank()
    for i, (x, y) in enumerate(spots):
        turn = 1 if i % 2 else -1
        for cx, cy, rr, tw in ((x, y, r, turn), (x + 1.6 * r * turn,
                                                   y + 0.4 * r, r * 0.6,
                                                   -turn)):
            cv.line(_spiral(cx, cy, rr, tw, 30, 1.7, 36), 1.3, into=thread)
        cv.line([(x - 2.2 * r, y + r), (x + 2.6 * r, y + r)], 1.2,
                into=thread)
    thread = cv.intersect(thread, cv.grow(clip, -2))
    cv.fill(thread, GOLD_BRIGHT, 0.8)


def _trim(cv, pts, width, clip=None, smooth=True):
    m = cv.line(pts, width, smooth=smooth)
    if clip is not None:
        m = cv.intersect(m, clip)
    gold_piece(cv, m, (0, 0, 800, 800), depth=width * 0.3, shadow=False,
               rim=0.6)


def _scales(cv, mask, box, rows, cols, r):
    """Overlapping lamellar scales filling a mask."""
    x0, y0, x1, y1 = box
    edges = cv.blank()
    for j in range(rows):
        y = y0 + j * (y1 - y0) / rows
        off = (j % 2) * 0.5
        for i in range(-1, cols + 1):
            x = x0 + (i + off) * (x1 - x0) / cols
            cv.line([(x - r, y), (x - r * 0.7, y + r * 0.8), (x, y + r * 1.1),
                     (x + r * 0.7, y + r * 0.8), (x + r, y)], 1.2,
                    smooth=True, into=edges)
    gold_piece(cv, mask, box, depth=2.0, slant=0.4)
    cv.fill(cv.intersect(edges, mask), GOLD_SHADOW, 0.85)
    cv.fill(cv.intersect(cv.shift(edges, 0, 1.2), mask), GOLD_PALE, 0.4)


def _pauldron(cv, cx, cy, side):
    """Three stacked shoulder lames (side -1 for the viewer's left)."""
    for k in (2, 1, 0):
        y = cy + k * 17
        pts = [(cx - side * (38 + k * 5), y + 22 + k * 3),
               (cx - side * 34, y + 2), (cx - side * 8, y - 12),
               (cx + side * 22, y - 8), (cx + side * 30, y + 10),
               (cx + side * 20, y + 24), (cx - side * 10, y + 30 + k)]
        m = cv.poly(pts, smooth=True)
        gold_piece(cv, m, (cx - 45, y - 14, cx + 45, y + 34), depth=2.4,
                   slant=0.6)
        edge = [(cx - side * (38 + k * 5), y + 20 + k * 3),
                (cx - side * 10, y + 27 + k), (cx + side * 20, y + 21)]
        cv.fill(cv.intersect(cv.line(edge, 3.5, smooth=True),
                             cv.grow(m, -0.5)), TEAL, 0.95)
    cap = cv.poly([(cx - side * 30, cy + 4), (cx - side * 6, cy - 16),
                   (cx + side * 20, cy - 10), (cx + side * 24, cy + 6),
                   (cx, cy + 8)], smooth=True)
    gold_piece(cv, cap, (cx - 30, cy - 16, cx + 30, cy + 8), depth=2.0)
    jade(cv, cx - side * 2, cy - 3, 5)


def _xiangyun(cv, lobes, curls, shade_dir=1):
    """A stylised auspicious cloud: teal lobes rimmed in gold with an
    inner contour line and spiral curls."""
    m = cv.blank()
    for x, y, r in lobes:
        cv.disc(x, y, r, into=m)
    cv.shadow(m, 2, 4, 5, (0, 0, 0), 0.5)
    cv.outline(m, 2.2, GOLD_DEEP)
    ys = [y for _, y, _ in lobes]
    top, bottom = min(ys) - 30, max(ys) + 30
    cv.fill(m, linear((0, top), (0, bottom),
                      [(0, TEAL_BRIGHT), (0.45, TEAL), (1, TEAL_DEEP)]))
    contour = cv.minus(cv.grow(m, -4), cv.grow(m, -5.6))
    cv.fill(contour, TEAL_GLOW, 0.45)
    spiral = cv.blank()
    for cx, cy, r, turn in curls:
        cv.line(_spiral(cx, cy, r, turn, 40, 1.6, 46), 2.0, into=spiral)
    cv.fill(cv.intersect(spiral, m), GOLD_BRIGHT, 0.9)
    cv.bevel(m, 2.5, hi=TEAL_GLOW, lo=TEAL_BLACK, hi_op=0.4, lo_op=0.5)


def draw_backdrop(cv):
    """A rising moon behind the heroine, ringed in gold, with clouds."""
    cx, cy = MOON_CENTRE
    r = MOON_RADIUS
    ring = cv.disc(cx, cy, r + 9)
    cv.fill(ring, GOLD_DEEP)
    gold_moulding(cv, cv.minus(ring, cv.disc(cx, cy, r)), 9)
    moon = cv.disc(cx, cy, r)
    cv.fill(moon, radial((cx + 50, cy - 60), r * 1.45,
                         [(0, (255, 248, 226)), (0.45, (244, 222, 178)),
                          (0.8, (214, 174, 118)), (1, (150, 110, 70))]))
    rng = random.Random(7)
    marks = cv.blank()
    for _ in range(14):
        a = rng.uniform(0, 2 * math.pi)
        d = rng.uniform(0, r * 0.8)
        cv.disc(cx + d * math.cos(a), cy + d * math.sin(a),
                rng.uniform(10, 40), into=marks)
    cv.fill(cv.intersect(cv.blur(marks, 12), moon), (176, 136, 96), 0.35)
    cv.inner_shadow(moon, 18, (120, 80, 40), 0.5)
    # Misty peaks inside the lower part of the moon.
    far = cv.poly([(30, 470), (70, 420), (104, 436), (150, 372), (190, 410),
                   (222, 392), (262, 430), (300, 380), (336, 352),
                   (372, 398), (420, 420), (450, 470), (450, 560), (30, 560)])
    near = cv.poly([(30, 500), (84, 460), (130, 480), (176, 446),
                    (236, 490), (290, 468), (340, 440), (400, 476),
                    (450, 500), (450, 560), (30, 560)])
    for m, top, colour, op in ((far, 350, (150, 168, 150), 0.55),
                               (near, 440, (64, 104, 102), 0.75)):
        m = cv.intersect(m, moon)
        cv.fill(m, linear((0, top), (0, top + 120),
                          [(0, colour + (255,)), (1, colour + (0,))]), op)
    # A band of cloud drifting across the lower moon.
    _xiangyun(cv, [(52, 470, 26), (90, 452, 34), (136, 462, 28),
                   (172, 478, 20), (70, 490, 20), (116, 492, 24)],
              [(52, 470, 14, 1), (136, 462, 14, -1)])
    _xiangyun(cv, [(332, 442, 24), (372, 426, 32), (410, 440, 24),
                   (352, 462, 20), (398, 462, 18)],
              [(372, 426, 17, 1)])


def _silk(cv, m):
    cv.shadow(m, 2, 3, 3, (0, 0, 0), 0.5)
    cv.fill(m, linear((0, 160), (0, 760),
                      [(0, CRIMSON_BRIGHT), (0.5, CRIMSON),
                       (1, CRIMSON_DEEP)]))
    cv.bevel(m, 2.5, hi=(255, 160, 140), lo=(40, 0, 0), hi_op=0.6,
             lo_op=0.6)


def draw_heroine(cv):
    head = Local(262, 146, 37)
    draw_backdrop(cv)

    # The long silk stole: its middle floats in a hoop behind her back.
    hoop = cv.band([(172, 352), (140, 292), (146, 222), (186, 180),
                    (262, 164), (338, 180), (378, 222), (384, 292),
                    (362, 350)], [10, 14, 16, 16, 16, 16, 16, 14, 10])
    _silk(cv, hoop)

    # Hair streaming behind her.
    head_back_hair(cv, head, 6.0)

    # Back panel of the robe, blown to the left.
    back = cv.poly([(232, 392), (300, 392), (356, 520), (410, 660),
                    (446, 770), (370, 792), (250, 800), (130, 796),
                    (70, 784), (92, 732), (128, 640), (172, 500)],
                   smooth=True, steps=8)
    _cloth(cv, back, linear((0, 400), (0, 800),
                            [(0, ROBE_DEEP), (1, (4, 22, 26))]),
           folds=[[(200, 500), (150, 640), (90, 770)],
                  [(300, 520), (340, 660), (380, 780)]], fold_w=5)
    _trim(cv, [(70, 784), (130, 796), (250, 800), (370, 792), (446, 770)], 5,
          clip=back)

    # Sword, held point-down in her right hand.
    hand = (158, 478)
    d = (-0.26, 0.966)
    guard = (hand[0] + d[0] * 17, hand[1] + d[1] * 17)
    tip = (guard[0] + d[0] * 282, guard[1] + d[1] * 282)
    blade = cv.poly([(guard[0] - 7, guard[1]), (guard[0] + 7, guard[1] + 2),
                     (tip[0] + d[0] * -26 + 4, tip[1] - 26),
                     tip, (tip[0] + d[0] * -26 - 5, tip[1] - 28)])
    cv.glow(blade, 5, TEAL_GLOW, 0.6)
    cv.outline(blade, 1.0, (40, 56, 64))
    cv.fill(blade, linear((guard[0] - 7, 0), (guard[0] + 7, 0),
                          [(0, (150, 170, 176)), (0.45, (246, 252, 255)),
                           (0.55, (190, 206, 212)), (1, (110, 126, 134))]))
    cv.fill(cv.line([guard, (tip[0] - d[0] * 40, tip[1] - d[1] * 40)], 1.4),
            (90, 110, 120), 0.8)
    pommel = (hand[0] - d[0] * 34, hand[1] - d[1] * 34)
    grip = cv.line([pommel, guard], 7)
    cv.fill(grip, (40, 24, 20))
    cross = cv.band([(guard[0] - 20, guard[1] - 7), (guard[0], guard[1] + 2),
                     (guard[0] + 20, guard[1] + 4)], [5, 9, 5])
    gold_piece(cv, cross, (guard[0] - 20, guard[1] - 8, guard[0] + 20,
                           guard[1] + 8), depth=1.5)
    jade(cv, guard[0] + 0.5, guard[1] + 1, 3.2, ring=False)
    knob = cv.disc(*pommel, 5.5)
    gold_piece(cv, knob, (pommel[0] - 6, pommel[1] - 6, pommel[0] + 6,
                          pommel[1] + 6), depth=1.2)
    sword_tassel = cv.band([pommel, (pommel[0] - 12, pommel[1] + 30),
                            (pommel[0] - 30, pommel[1] + 62),
                            (pommel[0] - 40, pommel[1] + 96)], [2, 3, 5, 8])
    cv.fill(sword_tassel, linear((0, pommel[1]), (0, pommel[1] + 96),
                                 [(0, CRIMSON), (1, CRIMSON_BRIGHT)]))

    # Silk underskirt showing through the opening of the robe.
    skirt = cv.poly([(236, 404), (296, 404), (330, 540), (350, 690),
                     (356, 782), (300, 792), (240, 790), (196, 782),
                     (200, 690), (216, 540)], smooth=True, steps=8)
    _cloth(cv, skirt, linear((200, 0), (356, 0),
                             [(0, SILK_SHADE), (0.45, SILK),
                              (1, (206, 214, 210))]),
           folds=[[(250, 450), (240, 600), (230, 780)],
                  [(285, 450), (300, 620), (320, 780)],
                  [(268, 500), (270, 780)]],
           fold_w=3, dark=(60, 80, 86), fold_op=0.35, shade=0.35)

    # Outer robe: two panels opening over the silk.
    left = cv.poly([(228, 392), (262, 408), (250, 560), (232, 782),
                    (186, 794), (132, 784), (86, 772), (56, 760),
                    (98, 700), (140, 580), (190, 460)], smooth=True, steps=8)
    right = cv.poly([(300, 392), (272, 408), (292, 560), (322, 784),
                     (366, 790), (408, 778), (436, 764), (404, 650),
                     (366, 520), (324, 440)], smooth=True, steps=8)
    for m, x0, x1 in ((left, 60, 260), (right, 270, 436)):
        _cloth(cv, m, linear((x0, 420), (x1, 780),
                             [(0, ROBE_LIGHT), (0.35, ROBE), (1, ROBE_DEEP)]),
               folds=[[(200, 480), (160, 620), (120, 770)],
                      [(236, 500), (210, 650), (190, 780)],
                      [(310, 480), (350, 640), (386, 770)],
                      [(300, 560), (330, 700), (340, 780)]],
               dark=TEAL_BLACK, fold_op=0.55, rim=TEAL_GLOW)
    _embroidery(cv, cv.union(left, right),
                [(112, 690), (166, 700), (214, 704), (304, 702), (354, 696),
                 (398, 680)])
    _trim(cv, [(262, 408), (250, 560), (232, 782)], 6)
    _trim(cv, [(272, 408), (292, 560), (322, 784)], 6)
    _trim(cv, [(56, 760), (86, 772), (132, 784), (186, 794), (232, 782)], 6,
          clip=cv.grow(left, 3))
    _trim(cv, [(322, 784), (366, 790), (408, 778), (436, 764)], 6,
          clip=cv.grow(right, 3))

    # Armoured skirt plates and a crimson apron.
    apron = cv.poly([(246, 402), (284, 402), (290, 590), (266, 610),
                     (242, 590)], smooth=False)
    _cloth(cv, apron, linear((0, 400), (0, 610),
                             [(0, CRIMSON), (1, CRIMSON_DEEP)]),
           folds=[[(258, 420), (256, 590)], [(276, 420), (278, 590)]],
           fold_w=3, dark=(40, 0, 0), fold_op=0.5)
    _trim(cv, [(242, 588), (266, 608), (290, 588)], 4, smooth=False)
    for pts, box in (([(206, 400), (252, 406), (248, 500), (226, 522),
                       (190, 506)], (190, 400, 252, 522)),
                     ([(276, 406), (320, 400), (338, 504), (306, 522),
                       (282, 500)], (276, 400, 338, 522))):
        m = cv.poly(pts, smooth=True, steps=6)
        cv.shadow(m, 2, 3, 3, (0, 0, 0), 0.6)
        _scales(cv, m, box, 6, 4, 8)

    # Torso under the armour.
    torso = cv.poly([(196, 222), (262, 208), (332, 222), (328, 300),
                     (304, 388), (224, 388), (198, 300)], smooth=True,
                    steps=8)
    _cloth(cv, torso, linear((196, 0), (332, 0),
                             [(0, ROBE_DEEP), (0.5, ROBE), (1, ROBE_DEEP)]),
           dark=TEAL_BLACK)
    collar = cv.poly([(240, 204), (286, 204), (272, 268), (262, 280),
                      (252, 268)])
    cv.fill(collar, SILK)
    _trim(cv, [(242, 206), (262, 276)], 4, smooth=False)
    _trim(cv, [(284, 206), (262, 276)], 4, smooth=False)
    plate = cv.poly([(208, 248), (244, 236), (262, 270), (282, 236),
                     (318, 248), (324, 304), (304, 374), (224, 374),
                     (202, 304)], smooth=True, steps=8)
    cv.shadow(plate, 2, 4, 4, (0, 0, 0), 0.6)
    gold_piece(cv, plate, (202, 236, 324, 374), depth=3.0, slant=0.5)
    engr = cv.blank()
    cv.line([(220, 270), (246, 300), (262, 322), (278, 300), (306, 270)],
            1.4, smooth=True, into=engr)
    cv.line([(210, 336), (262, 344), (316, 336)], 1.6, smooth=True,
            into=engr)
    for k in range(3):
        y = 346 + k * 9
        for i in range(9):
            x = 222 + i * 10 + (k % 2) * 5
            cv.line([(x - 5, y), (x - 3.5, y + 4), (x, y + 5.5),
                     (x + 3.5, y + 4), (x + 5, y)], 1.1, smooth=True,
                    into=engr)
    cv.fill(cv.intersect(engr, plate), GOLD_SHADOW, 0.85)
    cv.fill(cv.intersect(cv.shift(engr, 0, 1), cv.minus(plate, engr)),
            GOLD_PALE, 0.35)
    cv.fill(cv.disc(263, 312, 15), TEAL_BLACK)
    jade(cv, 263, 312, 10)
    belt = cv.poly([(220, 378), (306, 378), (310, 410), (218, 410)])
    cv.shadow(belt, 0, 3, 3, (0, 0, 0), 0.6)
    cv.fill(belt, linear((0, 378), (0, 410),
                         [(0, CRIMSON), (1, CRIMSON_DEEP)]))
    _trim(cv, [(220, 380), (306, 380)], 3, smooth=False)
    _trim(cv, [(218, 408), (310, 408)], 3, smooth=False)
    buckle = quatrefoil(cv, 264, 394, 20)
    gold_piece(cv, buckle, (244, 374, 284, 414), depth=1.8)
    jade(cv, 264, 394, 6)

    # Her right arm (viewer's left): wide sleeve, hand on the hilt.
    _sleeve(cv, [(178, 256), (212, 276), (204, 360), (194, 430), (182, 466)],
            [(182, 466), (154, 484), (122, 512), (94, 540)],
            [(92, 500), (118, 420), (146, 300)],
            folds=[[(180, 300), (160, 400), (130, 500)],
                   [(196, 320), (186, 430)]])
    fist = cv.poly([(146, 466), (170, 462), (174, 484), (164, 494),
                    (148, 490)], smooth=True, steps=6)
    cv.fill(fist, linear((146, 460), (172, 494), [(0, SKIN_LIGHT),
                                                 (1, SKIN_SHADE)]))
    knuckles = cv.blank()
    for k in range(3):
        cv.line([(152, 472 + k * 6), (170, 470 + k * 6)], 1.0,
                into=knuckles)
    cv.fill(cv.intersect(knuckles, fist), SKIN_SHADE, 0.9)

    # Her left arm (viewer's right): sleeve hanging loose.
    _sleeve(cv, [(326, 262), (350, 250), (362, 300), (374, 380), (396, 450),
                 (422, 520), (434, 562)],
            [(434, 562), (404, 570), (372, 542)],
            [(346, 470), (334, 400), (322, 330)],
            folds=[[(340, 300), (356, 420), (390, 540)],
                   [(360, 330), (386, 440), (416, 540)]])

    _pauldron(cv, 190, 232, -1)
    _pauldron(cv, 336, 232, 1)

    draw_head(cv, head)

    # The stole's ends, draped over the elbows and streaming in the wind.
    for pts, widths in (([(176, 352), (140, 384), (90, 410), (50, 460),
                          (36, 530), (52, 600), (34, 670), (48, 720)],
                         [14, 18, 22, 22, 20, 16, 10, 3]),
                        ([(352, 348), (380, 404), (402, 470), (412, 548),
                          (398, 620), (412, 690)],
                         [14, 18, 18, 16, 10, 3])):
        _silk(cv, cv.band(pts, widths))

    # Clouds swirling round her feet.
    _xiangyun(cv, [(58, 764, 24), (102, 750, 32), (154, 764, 28),
                   (204, 774, 24), (88, 782, 20), (140, 782, 20)],
              [(102, 750, 17, 1), (204, 774, 12, -1)])
    _xiangyun(cv, [(300, 770, 24), (350, 754, 30), (400, 766, 26),
                   (438, 778, 18), (330, 784, 18), (380, 784, 18)],
              [(350, 754, 16, -1), (438, 778, 10, 1)])
