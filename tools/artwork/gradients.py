"""Colour mixing and the gradient paints the canvas fills shapes with.

A paint is a callable taking a box (in supersampled pixels) and the
supersampling factor and returning an RGBA tile of the box's size.
Gradients are built by looking an affine-mapped grey ramp up through a
colour table, which is much faster in Pillow than computing every pixel.
"""

import math

from PIL import Image, ImageDraw

from .curves import lerp


def mix(c0, c1, t):
    return tuple(int(round(lerp(a, b, t))) for a, b in zip(c0, c1))


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


def stops_lut(stops):
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


def colourize(grey, lut):
    return Image.merge("RGBA", [grey.point(ch) for ch in lut])


def solid(colour):
    rgba = tuple(colour) + (255,) * (4 - len(colour))

    def paint(box, ss):
        return Image.new("RGBA", (box[2] - box[0], box[3] - box[1]), rgba)
    return paint


def linear(p0, p1, stops):
    lut = stops_lut(stops)

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
        return colourize(grey, lut)
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
    lut = stops_lut(stops)
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
        return colourize(grey, lut)
    return paint
