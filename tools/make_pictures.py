#!/usr/bin/python3
"""Draws the launcher's artwork into res/pictures/.

Everything is painted procedurally with Pillow so the pictures can be
regenerated (and tweaked) without any image editor.  The output is checked
in, so building the launcher never needs this script.

Run with Debian's interpreter (python3-pil, fonts-wqy-zenhei for the
captions, fonts-urw-base35 for the wordmark):

    /usr/bin/python3 tools/make_pictures.py

The output is byte-for-byte reproducible: there is no randomness except
from fixed seeds, and all shapes are computed from constants below.
"""

import math
import os
import random
import struct

from PIL import (Image, ImageChops, ImageDraw, ImageEnhance, ImageFilter,
                 ImageFont, PngImagePlugin)

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT_DIR = os.path.join(ROOT, "res", "pictures")

# --------------------------------------------------------------------------
# Fonts
# --------------------------------------------------------------------------

CJK_FONT = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc"
# The wordmark wants a classic book serif (URW's Palatino clone); the
# others are fallbacks that change the look, so a fallback is reported.
TITLE_FONTS = (
    "/usr/share/fonts/opentype/urw-base35/P052-Bold.otf",
    "/usr/share/fonts/opentype/urw-base35/C059-Bold.otf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf",
)

# --------------------------------------------------------------------------
# Colours
# --------------------------------------------------------------------------

# The landing window is a colour-keyed layered window: every pixel of
# exactly this colour is punched out.
KEY = (30, 30, 30)
# What an accidental key-coloured pixel inside the artwork becomes.
KEY_NUDGED = (31, 30, 30)
# Anti-aliased silhouette edges are blended against this instead of the
# key, so the cut-out edge reads as a thin dark outline on any desktop.
EDGE_DARK = (12, 10, 9)

GOLD_SHADOW = (58, 34, 10)
GOLD_DEEP = (110, 70, 22)
GOLD = (196, 146, 60)
GOLD_BRIGHT = (238, 198, 110)
GOLD_PALE = (255, 240, 196)

TEAL_BLACK = (6, 28, 32)
TEAL_DEEP = (10, 58, 62)
TEAL = (24, 112, 112)
TEAL_BRIGHT = (74, 190, 178)
TEAL_GLOW = (150, 240, 220)

CRIMSON_DEEP = (96, 12, 16)
CRIMSON = (170, 30, 34)
CRIMSON_BRIGHT = (222, 72, 62)

CREAM = (250, 240, 222)

# Title bar: a warm orange band.
STRIP_TOP = (198, 106, 32)
STRIP_MID = (166, 74, 16)
STRIP_BOTTOM = (112, 42, 8)
STRIP_HIGHLIGHT = (238, 160, 80)
STRIP_EDGE = (78, 28, 6)
GLYPH = (255, 242, 214)
GLYPH_SHADOW = (86, 32, 4)
HOVER_BORDER = (255, 196, 84)
HOVER_GLOW = (255, 150, 40)

PICTURE_FILL = (14, 19, 23)

# --------------------------------------------------------------------------
# Sizes and placements
# --------------------------------------------------------------------------

LANDING_SIZE = (1196, 807)
LANDING_SS = 2                              # supersampling of the landing
PICTURE_AREA = (470, 220, 1056, 663)        # browser control goes here
FRAME_WIDTH = 40
FRAME_OUTER = (PICTURE_AREA[0] - FRAME_WIDTH, PICTURE_AREA[1] - FRAME_WIDTH,
               PICTURE_AREA[2] + FRAME_WIDTH, PICTURE_AREA[3] + FRAME_WIDTH)
LOGO_CENTRE_X = (PICTURE_AREA[0] + PICTURE_AREA[2]) // 2
# The program draws its three round buttons here (x, y, w, h).
LANDING_MINIMIZE_AT = (1061, 143, 31, 32)
LANDING_CLOSE_AT = (1093, 140, 37, 35)
LANDING_REFRESH_AT = (1082, 172, 31, 32)
BUTTON_DOCK_CENTRE = (1096, 172)
BUTTON_DOCK_RADIUS = 52

ROUND_CLOSE_SIZE = (37, 35)
ROUND_SMALL_SIZE = (31, 32)
ROUND_CLOSE_KEYED = 34          # key pixels outside the close disc
ROUND_SMALL_KEYED = 14          # key pixels outside the minimize disc

STRIP_SIZE = (220, 30)
WIDE_FACE = (98, 30)
NARROW_FACE = (57, 30)
SYSTEM_FACE = (27, 30)
CAPTION_PX = 12

ICON_SIZE = 64
SMALL_SS = 6                    # supersampling of the little bitmaps

LIT_GAIN = 1.22                 # how much brighter a hovered face is


# --------------------------------------------------------------------------
# Geometry helpers
# --------------------------------------------------------------------------

def lerp(a, b, t):
    return a + (b - a) * t


def mix(c0, c1, t):
    return tuple(int(round(lerp(a, b, t))) for a, b in zip(c0, c1))


def spline(pts, closed=True, steps=12):
    """Catmull-Rom curve through the control points."""
    n = len(pts)
    out = []
    segs = n if closed else n - 1
    for i in range(segs):
        if closed:
            p0, p1, p2, p3 = (pts[(i - 1) % n], pts[i], pts[(i + 1) % n],
                              pts[(i + 2) % n])
        else:
            p0 = pts[max(i - 1, 0)]
            p1, p2 = pts[i], pts[i + 1]
            p3 = pts[min(i + 2, n - 1)]
        for s in range(steps):
            t = s / steps
            t2, t3 = t * t, t * t * t
            out.append(tuple(
                0.5 * (2 * p1[k] + (p2[k] - p0[k]) * t
                       + (2 * p0[k] - 5 * p1[k] + 4 * p2[k] - p3[k]) * t2
                       + (3 * p1[k] - p0[k] - 3 * p2[k] + p3[k]) * t3)
                for k in range(2)))
    if not closed:
        out.append(tuple(pts[-1]))
    return out


def ribbon_outline(centre, widths, steps=12):
    """A band of varying width along a smooth open centre line.

    `widths` is either one number or a list matched to the control points
    (interpolated along the curve)."""
    line = spline(centre, closed=False, steps=steps)
    if isinstance(widths, (int, float)):
        widths = [widths] * len(centre)
    wl = []
    for i in range(len(line)):
        u = i / (len(line) - 1) * (len(widths) - 1)
        j = min(int(u), len(widths) - 2)
        wl.append(lerp(widths[j], widths[j + 1], u - j))
    left, right = [], []
    for i, (x, y) in enumerate(line):
        ax, ay = line[max(i - 1, 0)]
        bx, by = line[min(i + 1, len(line) - 1)]
        dx, dy = bx - ax, by - ay
        d = math.hypot(dx, dy) or 1.0
        nx, ny = -dy / d, dx / d
        h = wl[i] / 2
        left.append((x + nx * h, y + ny * h))
        right.append((x - nx * h, y - ny * h))
    return left + right[::-1]


def circle_pts(cx, cy, r, n=64, ry=None):
    ry = r if ry is None else ry
    return [(cx + r * math.cos(2 * math.pi * i / n),
             cy + ry * math.sin(2 * math.pi * i / n)) for i in range(n)]


# --------------------------------------------------------------------------
# Paints: callables returning an RGBA tile for a bounding box
# --------------------------------------------------------------------------

_RAMP_PAD = 30000
_ramp_cache = []


def _ramp():
    # A tall 0..255 ramp with long constant ends, so an affine lookup into
    # it clamps the gradient on both sides.
    if not _ramp_cache:
        col = [0] * _RAMP_PAD + list(range(256)) + [255] * _RAMP_PAD
        im = Image.new("L", (1, len(col)))
        im.putdata(col)
        _ramp_cache.append(im.resize((4, len(col)), Image.NEAREST))
    return _ramp_cache[0]


def _stops_lut(stops):
    stops = [(t, tuple(c) + (255,) * (4 - len(c))) for t, c in stops]
    lut = [[], [], [], []]
    for i in range(256):
        t = i / 255
        for j in range(len(stops) - 1):
            if t <= stops[j + 1][0] or j == len(stops) - 2:
                break
        (t0, c0), (t1, c1) = stops[j], stops[j + 1]
        u = 0.0 if t1 == t0 else min(max((t - t0) / (t1 - t0), 0.0), 1.0)
        for k in range(4):
            lut[k].append(int(round(lerp(c0[k], c1[k], u))))
    return lut


def _colourize(grey, lut):
    return Image.merge("RGBA", [grey.point(ch) for ch in lut])


def solid(colour):
    rgba = tuple(colour) + (255,) * (4 - len(colour))

    def paint(box, ss):
        return Image.new("RGBA", (box[2] - box[0], box[3] - box[1]), rgba)
    return paint


def linear(p0, p1, stops):
    lut = _stops_lut(stops)

    def paint(box, ss):
        ax, ay, bx, by = p0[0] * ss, p0[1] * ss, p1[0] * ss, p1[1] * ss
        dx, dy = bx - ax, by - ay
        l2 = dx * dx + dy * dy
        d, e = 255 * dx / l2, 255 * dy / l2
        f = _RAMP_PAD + 255 * ((box[0] - ax) * dx + (box[1] - ay) * dy) / l2
        w, h = box[2] - box[0], box[3] - box[1]
        grey = _ramp().transform((w, h), Image.AFFINE, (0, 0, 2, d, e, f),
                                 resample=Image.BILINEAR)
        # Far past the end of a short gradient the lookup runs off the
        # ramp and reads 0; paint the whole t >= 1 side solid instead.
        def t(x, y):
            return ((box[0] + x - ax) * dx + (box[1] + y - ay) * dy) / l2
        corners = [(0, 0), (w, 0), (w, h), (0, h)]
        side = []
        for i, p in enumerate(corners):
            q = corners[(i + 1) % 4]
            tp, tq = t(*p), t(*q)
            if tp >= 1:
                side.append(p)
            if (tp >= 1) != (tq >= 1):
                u = (1 - tp) / (tq - tp)
                side.append((p[0] + (q[0] - p[0]) * u,
                             p[1] + (q[1] - p[1]) * u))
        if len(side) >= 3:
            ImageDraw.Draw(grey).polygon(side, fill=255)
        return _colourize(grey, lut)
    return paint


_disc_cache = []
_DISC_R = 254          # radius, in pixels of the cached ramp, that maps to 1


def _disc_ramp():
    # Distance-from-centre ramp: 0 in the middle, 255 at _DISC_R and beyond.
    if not _disc_cache:
        n = 2 * _DISC_R + 4
        data = []
        for y in range(n):
            dy = (y + 0.5 - n / 2) ** 2
            data.extend(min(255, int(math.sqrt((x + 0.5 - n / 2) ** 2 + dy)
                                     * 255 / _DISC_R + 0.5))
                        for x in range(n))
        im = Image.new("L", (n, n))
        im.putdata(data)
        _disc_cache.append(im)
    return _disc_cache[0]


def radial(centre, rx, stops, ry=None):
    lut = _stops_lut(stops)
    ry = rx if ry is None else ry

    def paint(box, ss):
        a = _DISC_R / (rx * ss)
        e = _DISC_R / (ry * ss)
        half = _DISC_R + 2
        c = half + (box[0] - centre[0] * ss) * a
        f = half + (box[1] - centre[1] * ss) * e
        grey = _disc_ramp().transform(
            (box[2] - box[0], box[3] - box[1]), Image.AFFINE,
            (a, 0, c, 0, e, f), resample=Image.BILINEAR, fillcolor=255)
        return _colourize(grey, lut)
    return paint


# --------------------------------------------------------------------------
# Canvas: supersampled RGBA drawing surface in final-pixel coordinates
# --------------------------------------------------------------------------

def _grow(box, pad, size):
    return (max(box[0] - pad, 0), max(box[1] - pad, 0),
            min(box[2] + pad, size[0]), min(box[3] + pad, size[1]))


class Canvas:
    def __init__(self, w, h, ss, background=(0, 0, 0, 0)):
        self.w, self.h, self.ss = w, h, ss
        self.img = Image.new("RGBA", (w * ss, h * ss), background)

    # ---- masks -----------------------------------------------------------
    def blank(self):
        return Image.new("L", self.img.size, 0)

    def _scaled(self, pts):
        s = self.ss
        return [(x * s, y * s) for x, y in pts]

    def poly(self, pts, smooth=False, steps=12, into=None, value=255):
        if smooth:
            pts = spline(pts, True, steps)
        m = into if into is not None else self.blank()
        ImageDraw.Draw(m).polygon(self._scaled(pts), fill=value)
        return m

    def rect(self, box, into=None, value=255, radius=0):
        m = into if into is not None else self.blank()
        s = self.ss
        b = [box[0] * s, box[1] * s, box[2] * s - 1, box[3] * s - 1]
        if radius:
            ImageDraw.Draw(m).rounded_rectangle(b, radius * s, fill=value)
        else:
            ImageDraw.Draw(m).rectangle(b, fill=value)
        return m

    def disc(self, cx, cy, r, into=None, value=255, ry=None):
        m = into if into is not None else self.blank()
        s = self.ss
        ry = r if ry is None else ry
        ImageDraw.Draw(m).ellipse(
            [(cx - r) * s, (cy - ry) * s, (cx + r) * s, (cy + ry) * s],
            fill=value)
        return m

    def line(self, pts, width, smooth=False, closed=False, into=None,
             value=255, steps=12):
        if smooth:
            pts = spline(pts, closed, steps)
        elif closed:
            pts = list(pts) + [pts[0]]
        m = into if into is not None else self.blank()
        w = max(int(round(width * self.ss)), 1)
        d = ImageDraw.Draw(m)
        sp = self._scaled(pts)
        d.line(sp, fill=value, width=w, joint="curve")
        r = w / 2
        for x, y in (sp[0], sp[-1]):
            d.ellipse([x - r, y - r, x + r, y + r], fill=value)
        return m

    def band(self, centre, widths, steps=12, into=None):
        return self.poly(ribbon_outline(centre, widths, steps), into=into)

    def text(self, s, font_path, px, xy, anchor="mm", into=None,
             spacing=0):
        m = into if into is not None else self.blank()
        font = ImageFont.truetype(font_path, int(round(px * self.ss)))
        d = ImageDraw.Draw(m)
        x, y = xy[0] * self.ss, xy[1] * self.ss
        if not spacing:
            d.text((x, y), s, fill=255, font=font, anchor=anchor)
            return m
        # Tracked text: place glyph by glyph around the anchor.
        gap = spacing * self.ss
        widths = [font.getlength(ch) for ch in s]
        total = sum(widths) + gap * (len(s) - 1)
        cx = x - total / 2
        for ch, w in zip(s, widths):
            d.text((cx + w / 2, y), ch, fill=255, font=font,
                   anchor="m" + anchor[1])
            cx += w + gap
        return m

    # ---- mask arithmetic -----------------------------------------------
    @staticmethod
    def union(*ms):
        out = ms[0]
        for m in ms[1:]:
            out = ImageChops.lighter(out, m)
        return out

    @staticmethod
    def intersect(a, b):
        return ImageChops.multiply(a, b)

    @staticmethod
    def minus(a, b):
        return ImageChops.subtract(a, b)

    def blur(self, m, r):
        box = m.getbbox()
        if not box:
            return m
        pad = int(r * self.ss * 3) + 2
        box = _grow(box, pad, m.size)
        out = self.blank()
        out.paste(m.crop(box).filter(ImageFilter.GaussianBlur(r * self.ss)),
                  box[:2])
        return out

    def grow(self, m, r):
        """Dilate (r > 0) or erode (r < 0) a mask by about |r| pixels."""
        box = m.getbbox()
        if not box or r == 0:
            return m
        box = _grow(box, int(abs(r) * self.ss * 3) + 4, m.size)
        c = m.crop(box)
        if r < 0:
            c = ImageChops.invert(c)
        # A blurred edge thresholded low lands about r pixels further out.
        c = c.filter(ImageFilter.GaussianBlur(abs(r) * self.ss * 0.5))
        c = c.point(lambda v: 255 if v > 8 else v * 32)
        if r < 0:
            c = ImageChops.invert(c)
        out = self.blank()
        out.paste(c, box[:2])
        return out

    def shift(self, m, dx, dy):
        return ImageChops.offset(m, int(round(dx * self.ss)),
                                 int(round(dy * self.ss)))

    # ---- painting --------------------------------------------------------
    def fill(self, mask, paint, opacity=1.0):
        box = mask.getbbox()
        if not box:
            return
        if not callable(paint):
            paint = solid(paint)
        tile = paint(box, self.ss)
        a = ImageChops.multiply(tile.getchannel("A"), mask.crop(box))
        if opacity < 1.0:
            a = a.point(lambda v: int(v * opacity + 0.5))
        tile.putalpha(a)
        self.img.alpha_composite(tile, dest=box[:2])

    def shadow(self, mask, dx, dy, radius, colour=(0, 0, 0), opacity=0.6):
        self.fill(self.blur(self.shift(mask, dx, dy), radius), colour,
                  opacity)

    def bevel(self, mask, depth, hi=GOLD_PALE, lo=GOLD_SHADOW, hi_op=0.9,
              lo_op=0.8, light=(-0.6, -0.8), gain=3.0):
        """Light the rim of a raised shape from the upper left."""
        box = mask.getbbox()
        if not box:
            return
        pad = int(depth * self.ss * 3) + 4
        box = _grow(box, pad, mask.size)
        m = mask.crop(box)
        b = m.filter(ImageFilter.GaussianBlur(depth * self.ss * 0.5))
        ox = int(round(-light[0] * depth * self.ss))
        oy = int(round(-light[1] * depth * self.ss))
        toward = ImageChops.offset(b, ox, oy)
        lit = ImageChops.multiply(ImageChops.subtract(b, toward, 1 / gain), m)
        dark = ImageChops.multiply(ImageChops.subtract(toward, b, 1 / gain),
                                   m)
        for a, colour, op in ((lit, hi, hi_op), (dark, lo, lo_op)):
            full = self.blank()
            full.paste(a, box[:2])
            self.fill(full, colour, op)

    def profile(self, mask, radius, stops, opacity=1.0):
        """Shade a moulding by distance from its edges: `stops` run from the
        edge (0) to the crest (1) of the profile."""
        b = self.blur(mask, radius)
        box = mask.getbbox()
        if not box:
            return
        lut = _stops_lut(stops)
        # A blurred straight edge sits at ~128; the crest of a band about
        # 2*radius wide reaches ~255.
        ramp = b.crop(box).point(lambda v: max(0, min(255, (v - 100) * 255
                                                       // 155)))
        tile = _colourize(ramp, lut)
        a = ImageChops.multiply(tile.getchannel("A"), mask.crop(box))
        if opacity < 1.0:
            a = a.point(lambda v: int(v * opacity + 0.5))
        tile.putalpha(a)
        self.img.alpha_composite(tile, dest=box[:2])

    def inner_shadow(self, mask, depth, colour=(0, 0, 0), opacity=0.7):
        ring = self.minus(mask, self.blur(self.grow(mask, -depth * 0.5),
                                          depth * 0.6))
        self.fill(ring, colour, opacity)

    def outline(self, mask, width, colour, opacity=1.0):
        self.fill(self.minus(self.grow(mask, width), mask), colour, opacity)

    def glow(self, mask, radius, colour, opacity=0.8):
        self.fill(self.blur(mask, radius), colour, opacity)

    def result(self):
        """Downsample to the final size (Pillow resamples RGBA with
        premultiplied alpha, so edges do not pick up black fringes)."""
        if self.ss == 1:
            return self.img.copy()
        return self.img.resize((self.w, self.h), Image.LANCZOS)


def gold_paint(box, slant=0.35, bright=1.0):
    """Polished metal: several light bands across the shape."""
    x0, y0, x1, y1 = box
    dx = (x1 - x0) * slant
    stops = [(0.0, GOLD_DEEP), (0.22, GOLD_BRIGHT), (0.38, GOLD),
             (0.55, GOLD_DEEP), (0.72, GOLD_BRIGHT), (0.86, GOLD_PALE),
             (1.0, GOLD)]
    if bright != 1.0:
        stops = [(t, tuple(min(int(v * bright), 255) for v in c))
                 for t, c in stops]
    return linear((x0, y0), (x0 + dx, y1), stops)


def gold_piece(cv, mask, box, depth=2.0, slant=0.35, rim=1.0, shadow=True):
    """A bevelled gold casting with a dark hairline outline."""
    if shadow:
        cv.shadow(mask, 1.5, 2.5, 2.5, (0, 0, 0), 0.55)
    cv.outline(mask, rim, GOLD_SHADOW, 0.95)
    cv.fill(mask, gold_paint(box, slant))
    cv.bevel(mask, depth)


def jade(cv, cx, cy, r, ring=True):
    """A round polished teal stone set in gold."""
    if ring:
        m = cv.disc(cx, cy, r + max(r * 0.28, 2))
        gold_piece(cv, m, (cx - r, cy - r, cx + r, cy + r), depth=1.2)
    m = cv.disc(cx, cy, r)
    cv.fill(m, radial((cx - r * 0.3, cy - r * 0.35), r * 1.5,
                      [(0, TEAL_GLOW), (0.35, TEAL_BRIGHT), (0.75, TEAL),
                       (1, TEAL_BLACK)]))
    cv.fill(cv.disc(cx - r * 0.35, cy - r * 0.4, r * 0.28), (255, 255, 255),
            0.75)
    cv.inner_shadow(m, r * 0.25, TEAL_BLACK, 0.6)


# --------------------------------------------------------------------------
# Landing window: frame, button dock and logo
# --------------------------------------------------------------------------

GOLD_PROFILE = [(0.0, GOLD_SHADOW), (0.25, GOLD_DEEP), (0.55, GOLD),
                (0.8, GOLD_BRIGHT), (1.0, GOLD_PALE)]


def _inset(box, d):
    return (box[0] + d, box[1] + d, box[2] - d, box[3] - d)


def _gold_moulding(cv, mask, width):
    cv.profile(mask, width * 0.45, GOLD_PROFILE)
    cv.bevel(mask, max(width * 0.22, 1.2), hi_op=0.7, lo_op=0.6)


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


def _quatrefoil(cv, cx, cy, r, into=None):
    m = into if into is not None else cv.blank()
    for k in range(4):
        ang = math.pi / 4 + k * math.pi / 2
        cv.disc(cx + math.cos(ang) * r * 0.55, cy + math.sin(ang) * r * 0.55,
                r * 0.5, into=m)
    cv.poly(circle_pts(cx, cy, r * 0.62, 4), into=m)
    return m


def _corner_ornament(cv, cx, cy, r):
    m = _quatrefoil(cv, cx, cy, r)
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

    _gold_moulding(cv, band_a, 11)
    _gold_moulding(cv, band_c, 8)
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


def _feather(cv, root, angle, length, width, curl, into):
    dx, dy = math.cos(angle), math.sin(angle)
    nx, ny = -dy, dx
    pts = [root,
           (root[0] + dx * length * 0.35 + nx * curl * 0.15,
            root[1] + dy * length * 0.35 + ny * curl * 0.15),
           (root[0] + dx * length * 0.75 + nx * curl * 0.55,
            root[1] + dy * length * 0.75 + ny * curl * 0.55),
           (root[0] + dx * length + nx * curl,
            root[1] + dy * length + ny * curl)]
    return cv.band(pts, [width * 0.6, width, width * 0.75, 0.6], into=into)


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
            _feather(cv, place(rx, ry), ang, length * scale, width,
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

    font = _title_font()
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
    boss = _quatrefoil(cv, cx, bottom + 6, 20)
    gold_piece(cv, boss, (cx - 20, bottom - 14, cx + 20, bottom + 26), 1.8)
    jade(cv, cx, bottom + 6, 7)


def _title_font():
    for path in TITLE_FONTS:
        if os.path.exists(path):
            if path != TITLE_FONTS[0]:
                print("warning: %s missing, wordmark drawn with %s"
                      % (TITLE_FONTS[0], path))
            return path
    print("warning: no serif font found, wordmark drawn with %s" % CJK_FONT)
    return CJK_FONT


# --------------------------------------------------------------------------
# The heroine
# --------------------------------------------------------------------------

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


def _embroidery(cv, clip, spots, r=9):
    """Gold-thread cloud curls stitched onto cloth."""
    thread = cv.blank()
    for i, (x, y) in enumerate(spots):
        turn = 1 if i % 2 else -1
        for cx, cy, rr, tw in ((x, y, r, turn), (x + 1.6 * r * turn,
                                                   y + 0.4 * r, r * 0.6,
                                                   -turn)):
            pts = []
            for k in range(30):
                a = tw * k / 29 * 1.7 * math.pi
                q = rr * (1 - k / 36)
                pts.append((cx + q * math.cos(a), cy + q * math.sin(a)))
            cv.line(pts, 1.3, into=thread)
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
        pts = []
        for k in range(40):
            a = turn * k / 39 * 1.6 * math.pi
            rr = r * (1 - k / 46)
            pts.append((cx + rr * math.cos(a), cy + rr * math.sin(a)))
        cv.line(pts, 2.0, into=spiral)
    cv.fill(cv.intersect(spiral, m), GOLD_BRIGHT, 0.9)
    cv.bevel(m, 2.5, hi=TEAL_GLOW, lo=TEAL_BLACK, hi_op=0.4, lo_op=0.5)


def draw_backdrop(cv):
    """A rising moon behind the heroine, ringed in gold, with clouds."""
    cx, cy = MOON_CENTRE
    r = MOON_RADIUS
    ring = cv.disc(cx, cy, r + 9)
    cv.fill(ring, GOLD_DEEP)
    _gold_moulding(cv, cv.minus(ring, cv.disc(cx, cy, r)), 9)
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
    buckle = _quatrefoil(cv, 264, 394, 20)
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


# --------------------------------------------------------------------------
# Landing window: assembly
# --------------------------------------------------------------------------

def key_equal_mask(rgb):
    """255 where an RGB image holds exactly the key colour."""
    chans = [c.point(lambda v, k=k: 255 if v == k else 0)
             for c, k in zip(rgb.split(), KEY)]
    return ImageChops.multiply(ImageChops.multiply(chans[0], chans[1]),
                               chans[2])


def nudge_key(rgb, keep=None):
    """Move accidental key-coloured pixels off the key (except `keep`)."""
    m = key_equal_mask(rgb)
    if keep is not None:
        m = ImageChops.subtract(m, keep)
    rgb.paste(KEY_NUDGED, mask=m)
    return rgb


def flatten_on_key(rgba):
    """Hard-edged cut-out: mostly covered pixels keep their colour (edges
    darkened), the rest becomes the key."""
    cover = rgba.getchannel("A").point(lambda v: 255 if v >= 128 else 0)
    art = Image.new("RGBA", rgba.size, EDGE_DARK + (255,))
    art.alpha_composite(rgba)
    art = nudge_key(art.convert("RGB"))
    out = Image.new("RGB", rgba.size, KEY)
    out.paste(art, mask=cover)
    return out


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


# --------------------------------------------------------------------------
# Round buttons of the landing window
# --------------------------------------------------------------------------

def keyed_corners(w, h, count):
    """Mask (1x) of the pixels outside the button's circle: the largest
    circle, nearest the bitmap centre, that leaves exactly `count` pixels
    outside.  The counts are fixed by the program, and odd sizes cannot
    split them evenly over four corners, so the centre may shift a little.
    """
    best = None
    steps = [i * 0.05 for i in range(-10, 11)]
    for oy in steps:
        for ox in steps:
            cx, cy = w / 2 + ox, h / 2 + oy
            ds = sorted((math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                         for y in range(h) for x in range(w)), reverse=True)
            if ds[count - 1] - ds[count] < 0.05:
                continue
            cost = (round(abs(ox) + abs(oy), 6), round(ox, 2), round(oy, 2))
            if best is None or cost < best[0]:
                best = (cost, cx, cy, (ds[count - 1] + ds[count]) / 2)
    if best is None:
        raise SystemExit("no circle leaves %d pixels outside %dx%d"
                         % (count, w, h))
    _, cx, cy, r = best
    m = Image.new("L", (w, h), 0)
    m.putdata([255 if math.hypot(x + 0.5 - cx, y + 0.5 - cy) > r else 0
               for y in range(h) for x in range(w)])
    return m


def _glyph_cross(cv, cx, cy, r, into):
    for a, b in (((-1, -1), (1, 1)), ((-1, 1), (1, -1))):
        cv.line([(cx + a[0] * r, cy + a[1] * r),
                 (cx + b[0] * r, cy + b[1] * r)], r * 0.55, into=into)


def _glyph_bar(cv, cx, cy, r, into):
    cv.line([(cx - r, cy), (cx + r, cy)], r * 0.5, into=into)


def _glyph_cycle(cv, cx, cy, r, into, width=None):
    """Circular arrow, open at the upper right, head pointing clockwise."""
    width = r * 0.36 if width is None else width
    arc = [(cx + r * math.cos(math.radians(a)),
            cy + r * math.sin(math.radians(a))) for a in range(-40, 251, 5)]
    cv.line(arc, width, into=into)
    a = math.radians(-40)
    tip = (cx + r * math.cos(a), cy + r * math.sin(a))
    # The head sits on the arc's upper-right end, pointing on round the
    # circle across the open gap.
    tx, ty = math.sin(a), -math.cos(a)
    nx, ny = math.cos(a), math.sin(a)
    h = width * 1.6
    cv.poly([(tip[0] + tx * h * 1.2, tip[1] + ty * h * 1.2),
             (tip[0] + nx * h - tx * h * 0.3, tip[1] + ny * h - ty * h * 0.3),
             (tip[0] - nx * h - tx * h * 0.3, tip[1] - ny * h - ty * h * 0.3)],
            into=into)


ROUND_FACES = {
    "red": [(0, (255, 150, 120)), (0.35, CRIMSON_BRIGHT), (0.75, CRIMSON),
            (1, CRIMSON_DEEP)],
    "teal": [(0, TEAL_GLOW), (0.35, TEAL_BRIGHT), (0.75, TEAL),
             (1, TEAL_DEEP)],
}


def draw_round_button(size, at, face, glyph, landing, keyed=None, lit=False):
    """A round enamel button set in gold, painted over the landing artwork
    it will sit on, so whatever is not the button matches the window."""
    w, h = size
    ss = SMALL_SS
    cv = Canvas(w, h, ss)
    cx, cy = w / 2, h / 2
    r = min(w, h) / 2 - 0.6
    disc = cv.disc(cx, cy, r)
    cv.shadow(disc, 0, 0.6, 0.8, (0, 0, 0), 0.7)
    cv.fill(disc, (20, 12, 6))
    rim = cv.disc(cx, cy, r - 0.7)
    cv.fill(rim, gold_paint((cx - r, cy - r, cx + r, cy + r), 0.6,
                            1.15 if lit else 1.0))
    cv.bevel(rim, 0.9, hi_op=0.8, lo_op=0.6)
    enamel = cv.disc(cx, cy, r - 3.0)
    stops = ROUND_FACES[face]
    if lit:
        stops = [(t, tuple(min(255, int(v * LIT_GAIN + 12)) for v in c))
                 for t, c in stops]
    cv.fill(cv.disc(cx, cy, r - 2.5), (30, 14, 6))
    cv.fill(enamel, radial((cx - r * 0.3, cy - r * 0.4), r * 1.25, stops))
    cv.inner_shadow(enamel, 1.6, (0, 0, 0), 0.6)
    gloss = cv.intersect(cv.disc(cx, cy - r * 0.38, r * 0.62, ry=r * 0.36),
                         enamel)
    cv.fill(gloss, linear((0, cy - r * 0.75), (0, cy), [(0, (255, 255, 255,
                                                             110)),
                                                        (1, (255, 255, 255,
                                                             0))]))
    mark = cv.blank()
    glyph(cv, cx, cy + 0.3, r * 0.42, mark)
    cv.shadow(mark, 0.3, 0.8, 0.6, (0, 0, 0), 0.8)
    if lit:
        cv.glow(mark, 1.6, (255, 240, 200), 0.7)
    cv.fill(mark, linear((0, cy - r * 0.5), (0, cy + r * 0.5),
                         [(0, (255, 255, 250)), (1, CREAM)]))
    art = cv.result()
    out = landing.crop((at[0], at[1], at[0] + w, at[1] + h))
    out.paste(art.convert("RGB"), mask=art.getchannel("A"))
    out = nudge_key(out)
    if keyed is not None:
        out.paste(KEY, mask=keyed)
    return out


def draw_round_buttons(landing):
    close_keys = keyed_corners(*ROUND_CLOSE_SIZE, ROUND_CLOSE_KEYED)
    small_keys = keyed_corners(*ROUND_SMALL_SIZE, ROUND_SMALL_KEYED)
    pics = {}
    for lit, name in ((True, "101_landing_close_hover"),
                      (False, "102_landing_close")):
        pics[name] = draw_round_button(ROUND_CLOSE_SIZE, LANDING_CLOSE_AT,
                                       "red", _glyph_cross, landing,
                                       close_keys, lit)
    for lit, name in ((True, "105_landing_minimize_hover"),
                      (False, "106_landing_minimize")):
        pics[name] = draw_round_button(ROUND_SMALL_SIZE, LANDING_MINIMIZE_AT,
                                       "teal", _glyph_bar, landing,
                                       small_keys, lit)
    for lit, name in ((True, "107_landing_refresh_hover"),
                      (False, "108_landing_refresh")):
        pics[name] = draw_round_button(ROUND_SMALL_SIZE, LANDING_REFRESH_AT,
                                       "teal", _glyph_cycle, landing, None,
                                       lit)
    return pics


# --------------------------------------------------------------------------
# Title bar
# --------------------------------------------------------------------------

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


def _glyph_layer(w, h, draw):
    """Render an icon supersampled; returns its RGBA at 1x."""
    cv = Canvas(w, h, SMALL_SS)
    m = cv.blank()
    draw(cv, m)
    cv.shadow(m, 0, 1.0, 0.5, GLYPH_SHADOW, 0.95)
    cv.fill(m, linear((0, 6), (0, 24), [(0, (255, 250, 236)), (1, GLYPH)]))
    return cv.result()


def _caption(img, text, x, y):
    font = ImageFont.truetype(CJK_FONT, CAPTION_PX)
    d = ImageDraw.Draw(img)
    d.text((x, y + 1), text, font=font, fill=GLYPH_SHADOW, anchor="lm")
    d.text((x, y), text, font=font, fill=GLYPH, anchor="lm")


def title_face(size, icon, caption=None, icon_box=18):
    """A title-bar button face: the band, an icon, maybe a caption."""
    w, h = size
    img = strip_background(w, h)
    font = ImageFont.truetype(CJK_FONT, CAPTION_PX)
    gap = 3
    tw = int(math.ceil(font.getlength(caption))) if caption else 0
    total = icon_box + (gap + tw if caption else 0)
    x0 = (w - total) // 2
    cy = h / 2 - 0.5
    layer = _glyph_layer(w, h, lambda cv, m: icon(
        cv, x0 + icon_box / 2, cy, icon_box / 2, m))
    img.paste(layer.convert("RGB"), mask=layer.getchannel("A"))
    if caption:
        _caption(img, caption, x0 + icon_box + gap, int(cy) + 1)
    return nudge_key(img)


def lit_face(plain):
    """Hover look: the same face brighter, ringed with a glowing border."""
    img = ImageEnhance.Brightness(plain).enhance(LIT_GAIN)
    w, h = img.size
    cv = Canvas(w, h, SMALL_SS)
    frame = cv.rect((0, 0, w, h), radius=3)
    inner = cv.rect((1.2, 1.2, w - 1.2, h - 1.2), radius=2)
    ring = cv.minus(frame, inner)
    cv.fill(cv.minus(frame, cv.blur(inner, 1.6)), HOVER_GLOW, 0.75)
    cv.fill(ring, HOVER_BORDER)
    glow = cv.result()
    img.paste(glow.convert("RGB"), mask=glow.getchannel("A"))
    return nudge_key(img)


# Icons: each draws into mask `m` centred on (cx, cy) with half-size r.

def icon_portrait(cv, cx, cy, r, m):
    cv.disc(cx, cy - r * 0.35, r * 0.36, into=m)
    shoulders = cv.intersect(cv.disc(cx, cy + r * 0.95, r * 0.78,
                                     ry=r * 0.62),
                             cv.rect((cx - r, cy - r, cx + r, cy + r * 0.8)))
    frame = cv.minus(cv.rect((cx - r * 0.95, cy - r * 0.95, cx + r * 0.95,
                              cy + r * 0.95), radius=r * 0.2),
                     cv.rect((cx - r * 0.95 + 1.3, cy - r * 0.95 + 1.3,
                              cx + r * 0.95 - 1.3, cy + r * 0.95 - 1.3),
                             radius=r * 0.12))
    m.paste(cv.union(m, shoulders, frame))


def icon_broom(cv, cx, cy, r, m):
    ang = math.radians(40)
    dx, dy = math.sin(ang), -math.cos(ang)      # up and to the right
    top = (cx + dx * r * 0.95, cy + dy * r * 0.95)
    neck = (cx - dx * r * 0.05, cy - dy * r * 0.05)
    cv.line([top, neck], 1.5, into=m)
    nx, ny = -dy, dx
    band = [(neck[0] + nx * r * 0.28, neck[1] + ny * r * 0.28),
            (neck[0] - nx * r * 0.28, neck[1] - ny * r * 0.28)]
    cv.line(band, 2.2, into=m)
    base = (neck[0] - dx * r * 0.18, neck[1] - dy * r * 0.18)
    foot = (neck[0] - dx * r * 1.0, neck[1] - dy * r * 1.0)
    cv.poly([(base[0] + nx * r * 0.3, base[1] + ny * r * 0.3),
             (base[0] - nx * r * 0.3, base[1] - ny * r * 0.3),
             (foot[0] - nx * r * 0.62, foot[1] - ny * r * 0.62),
             (foot[0] + nx * r * 0.62, foot[1] + ny * r * 0.62)], into=m)
    # Bristle gaps.
    for k in (-1, 0, 1):
        a = (base[0] + nx * r * 0.1 * k - dx * 1.5,
             base[1] + ny * r * 0.1 * k - dy * 1.5)
        b = (foot[0] + nx * r * 0.32 * k + dx * 0.2,
             foot[1] + ny * r * 0.32 * k + dy * 0.2)
        cv.line([a, b], 0.7, into=m, value=0)


def icon_expand(cv, cx, cy, r, m):
    for sx, sy in ((-1, -1), (1, -1), (1, 1), (-1, 1)):
        tip = (cx + sx * r * 0.92, cy + sy * r * 0.92)
        cv.line([(cx + sx * r * 0.22, cy + sy * r * 0.22),
                 (cx + sx * r * 0.7, cy + sy * r * 0.7)], 1.6, into=m)
        cv.poly([tip, (tip[0] - sx * r * 0.62, tip[1]),
                 (tip[0], tip[1] - sy * r * 0.62)], into=m)


def icon_close(cv, cx, cy, r, m):
    _glyph_cross(cv, cx, cy, r * 0.62, m)


def icon_minimize(cv, cx, cy, r, m):
    cv.line([(cx - r * 0.62, cy + r * 0.45), (cx + r * 0.62, cy + r * 0.45)],
            2.0, into=m)


def _window(cv, box, m):
    x0, y0, x1, y1 = box
    outer = cv.rect(box, radius=0.5)
    inner = cv.rect((x0 + 1.2, y0 + 2.6, x1 - 1.2, y1 - 1.2))
    m.paste(cv.union(m, cv.minus(outer, inner)))


def icon_restore(cv, cx, cy, r, m):
    w, h = r * 1.3, r * 1.15
    back = (cx - w / 2 + 2.2, cy - h / 2 - 2.2, cx + w / 2 + 2.2,
            cy + h / 2 - 2.2)
    front = (cx - w / 2 - 1.2, cy - h / 2 + 1.2, cx + w / 2 - 1.2,
             cy + h / 2 + 1.2)
    _window(cv, back, m)
    # The front window hides the part of the back one it covers.
    m.paste(cv.minus(m, cv.rect((front[0] - 1, front[1] - 1, front[2] + 1,
                                 front[3] + 1))))
    _window(cv, front, m)


def icon_refresh(cv, cx, cy, r, m):
    _glyph_cycle(cv, cx, cy, r * 0.62, m, width=1.7)


def icon_book(cv, cx, cy, r, m):
    # An open book seen from the front: two pages curving up from the spine,
    # the cover's edge showing underneath.
    for s in (-1, 1):
        page = [(cx + s * 0.6, cy - r * 0.42),
                (cx + s * r * 0.45, cy - r * 0.72),
                (cx + s * r * 0.95, cy - r * 0.66),
                (cx + s * r * 0.95, cy + r * 0.5),
                (cx + s * r * 0.45, cy + r * 0.44),
                (cx + s * 0.6, cy + r * 0.66)]
        cv.poly(spline(page[:3], False, 6) + spline(page[3:], False, 6),
                into=m)
        cover = [(cx, cy + r * 0.9), (cx + s * r * 0.5, cy + r * 0.68),
                 (cx + s * r * 1.05, cy + r * 0.72)]
        cv.line(cover, 1.1, smooth=True, into=m)
        for k in range(2):
            y = cy - r * 0.25 + k * r * 0.34
            cv.line([(cx + s * r * 0.25, y),
                     (cx + s * r * 0.5, y - r * 0.06),
                     (cx + s * r * 0.75, y - r * 0.04)], 0.7, smooth=True,
                    into=m, value=0)


def draw_logo_face():
    w, h = WIDE_FACE
    img = strip_background(w, h)
    cv = Canvas(w, h, SMALL_SS)
    # Emblem: a jade in a small gold lozenge with two wing flicks.
    ex, ey = 12.5, h / 2 - 0.5
    wings = cv.blank()
    for s in (-1, 1):
        for k in range(3):
            _feather(cv, (ex + s * 2, ey + 1), math.radians(-90 + s * (25 +
                     k * 22)), 9 - k, 3.2, -s * 1.5, wings)
    cv.shadow(wings, 0, 0.8, 0.6, GLYPH_SHADOW, 0.9)
    cv.fill(wings, linear((0, ey - 9), (0, ey + 4),
                          [(0, GOLD_PALE), (1, GOLD)]))
    gem = cv.poly([(ex, ey - 6), (ex + 5, ey), (ex, ey + 7), (ex - 5, ey)])
    cv.shadow(gem, 0, 0.8, 0.6, GLYPH_SHADOW, 0.9)
    cv.fill(gem, gold_paint((ex - 5, ey - 6, ex + 5, ey + 7), 0.3))
    cv.fill(cv.disc(ex, ey + 0.5, 2.4), TEAL_BRIGHT)
    cv.fill(cv.disc(ex - 0.7, ey - 0.3, 0.8), TEAL_GLOW)
    word = cv.text("Orvendal", _title_font(), 15.5, (57.5, h / 2), "mm",
                   spacing=0.4)
    cv.shadow(word, 0.3, 1.0, 0.5, STRIP_EDGE, 1.0)
    cv.outline(word, 0.5, (90, 34, 6), 0.9)
    cv.fill(word, linear((0, 9), (0, 21), [(0, GOLD_PALE), (0.5, (255, 220,
                                                                  140)),
                                           (1, GOLD_BRIGHT)]))
    art = cv.result()
    img.paste(art.convert("RGB"), mask=art.getchannel("A"))
    return nudge_key(img)


TITLE_FACES = [  # (plain id, hover id, role, size, icon, caption)
    (114, 113, "boss_key", WIDE_FACE, icon_portrait, "老板键(F10)"),
    (116, 115, "clear_cache", WIDE_FACE, icon_broom, "清除缓存"),
    (118, 117, "close", SYSTEM_FACE, icon_close, None),
    (120, 119, "full_screen", WIDE_FACE, icon_expand, "全屏(F11)"),
    (123, 122, "restore", SYSTEM_FACE, icon_restore, None),
    (125, 124, "minimize", SYSTEM_FACE, icon_minimize, None),
    (127, 126, "refresh", NARROW_FACE, icon_refresh, "刷新"),
    (129, 128, "select_server", NARROW_FACE, icon_book, "选服"),
]


def draw_title_bar():
    pics = {"112_title_strip": strip_background(*STRIP_SIZE),
            "121_logo": draw_logo_face()}
    for plain_id, lit_id, role, size, icon, caption in TITLE_FACES:
        box = 14 if caption is None else (16 if size == NARROW_FACE else 18)
        plain = title_face(size, icon, caption, box)
        pics["%d_%s" % (plain_id, role)] = plain
        pics["%d_%s_hover" % (lit_id, role)] = lit_face(plain)
    return pics


# --------------------------------------------------------------------------
# Application icon
# --------------------------------------------------------------------------

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


def save_png(rgb, path):
    info = PngImagePlugin.PngInfo()
    info.add(b"sRGB", b"\x00")                      # perceptual intent
    info.add(b"gAMA", struct.pack(">I", 45455))     # 1/2.2
    rgba = rgb.convert("RGBA")
    rgba.save(path, "PNG", pnginfo=info, dpi=(96, 96), optimize=False,
              compress_level=9)


def main():
    if not os.path.exists(CJK_FONT):
        raise SystemExit("make_pictures: %s missing (apt-get install "
                         "fonts-wqy-zenhei)" % CJK_FONT)
    os.makedirs(OUT_DIR, exist_ok=True)
    landing = draw_landing()
    save_png(landing, os.path.join(OUT_DIR, "landing.png"))
    keyed = key_equal_mask(landing).histogram()[255]
    print("landing.png: %d key pixels of %d" % (keyed, landing.width *
                                                  landing.height))
    pics = draw_round_buttons(landing)
    pics.update(draw_title_bar())
    for name, img in sorted(pics.items()):
        img.save(os.path.join(OUT_DIR, name + ".bmp"), "BMP")
    write_ico(draw_icon(), os.path.join(OUT_DIR, "orvendal.ico"))


if __name__ == "__main__":
    main()
