"""The chrome buttons' faces, each in a plain and a lit (hover) version.

The three round landing buttons are enamel discs set in gold, painted over
the part of the landing artwork they cover so that their corners match the
window.  The title-bar buttons are pieces of the orange band with a white
glyph and, on the wider ones, a Chinese caption.
"""

import math

from PIL import Image, ImageDraw, ImageEnhance, ImageFont

# Where the buttons go, their sizes and face resources come from the
# program's button table.
import launcher_facts as facts

from .canvas import SMALL_SS, Canvas
from .colour_key import KEY, nudge_key
from .curves import spline
from .fonts import CJK_FONT
from .gradients import linear, radial
from .ornaments import gold_paint
from .palette import (CREAM, CRIMSON, CRIMSON_BRIGHT, CRIMSON_DEEP, GLYPH,
                      GLYPH_SHADOW, HOVER_BORDER, HOVER_GLOW, TEAL,
                      TEAL_BRIGHT, TEAL_DEEP, TEAL_GLOW)
from .title_bar import strip_background

CAPTION_PX = 12

LIT_GAIN = 1.22                 # how much brighter a hovered face is


# The round buttons of the landing window.

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


def glyph_cross(cv, cx, cy, r, into):
    for a, b in (((-1, -1), (1, 1)), ((-1, 1), (1, -1))):
        cv.line([(cx + a[0] * r, cy + a[1] * r),
                 (cx + b[0] * r, cy + b[1] * r)], r * 0.55, into=into)


def glyph_bar(cv, cx, cy, r, into):
    cv.line([(cx - r, cy), (cx + r, cy)], r * 0.5, into=into)


def glyph_cycle(cv, cx, cy, r, into, width=None):
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


ROUND_BUTTONS = [  # (button, enamel, glyph)
    ("LandingClose", "red", glyph_cross),
    ("LandingMinimize", "teal", glyph_bar),
    ("LandingRefresh", "teal", glyph_cycle),
]


def draw_round_buttons(landing):
    """{file name: face} for both faces of the round landing buttons."""
    pics = {}
    for name, enamel, glyph in ROUND_BUTTONS:
        button = facts.BUTTONS[name]
        count = facts.keyed_pixels(name)
        keyed = keyed_corners(*button.size, count) if count else None
        for lit, face in ((True, button.hover_face),
                          (False, button.plain_face)):
            pics[facts.picture_file(face)] = draw_round_button(
                button.size, (button.x, button.y), enamel, glyph, landing,
                keyed, lit)
    return pics


# The title-bar buttons.

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
    glyph_cross(cv, cx, cy, r * 0.62, m)


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
    glyph_cycle(cv, cx, cy, r * 0.62, m, width=1.7)


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


# The icon is smaller on the narrow faces, to leave room for the caption,
# and smaller still on the captionless window buttons.
TITLE_FACES = [  # (button, icon, caption, icon box)
    ("BarBossKey", icon_portrait, "老板键(F10)", 18),
    ("BarClearCache", icon_broom, "清除缓存", 18),
    ("BarClose", icon_close, None, 14),
    ("BarFullScreen", icon_expand, "全屏(F11)", 18),
    ("BarRestore", icon_restore, None, 14),
    ("BarMinimize", icon_minimize, None, 14),
    ("BarRefresh", icon_refresh, "刷新", 16),
    ("BarSelectServer", icon_book, "选服", 16),
]


def draw_title_faces():
    """{file name: face} for both faces of every title-bar button."""
    pics = {}
    for name, icon, caption, box in TITLE_FACES:
        button = facts.BUTTONS[name]
        plain = title_face(button.size, icon, caption, box)
        pics[facts.picture_file(button.plain_face)] = plain
        pics[facts.picture_file(button.hover_face)] = lit_face(plain)
    return pics
