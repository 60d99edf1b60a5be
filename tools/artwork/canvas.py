"""The supersampled RGBA canvas every picture is painted on.

Shapes are first drawn as greyscale masks (in final-pixel coordinates;
the canvas scales them), combined with mask arithmetic, and then filled
with a colour or a paint from gradients.py.  result() brings the canvas
down to the picture's real size.
"""

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

from .curves import ribbon_outline, spline
from .gradients import colourize, solid, stops_lut
from .palette import GOLD_PALE, GOLD_SHADOW

SMALL_SS = 6                    # supersampling of the little bitmaps


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
        lut = stops_lut(stops)
        # A blurred straight edge sits at ~128; the crest of a band about
        # 2*radius wide reaches ~255.
        ramp = b.crop(box).point(lambda v: max(0, min(255, (v - 100) * 255
                                                       // 155)))
        tile = colourize(ramp, lut)
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
