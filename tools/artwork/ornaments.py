"""Gold castings, jade stones and the small ornament shapes that the
landing artwork, the round buttons, the logo face and the icon share."""

import math

from .curves import circle_pts
from .gradients import linear, radial
from .palette import (GOLD, GOLD_BRIGHT, GOLD_DEEP, GOLD_PALE, GOLD_SHADOW,
                      TEAL, TEAL_BLACK, TEAL_BRIGHT, TEAL_GLOW)


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


GOLD_PROFILE = [(0.0, GOLD_SHADOW), (0.25, GOLD_DEEP), (0.55, GOLD),
                (0.8, GOLD_BRIGHT), (1.0, GOLD_PALE)]


def gold_moulding(cv, mask, width):
    cv.profile(mask, width * 0.45, GOLD_PROFILE)
    cv.bevel(mask, max(width * 0.22, 1.2), hi_op=0.7, lo_op=0.6)


def quatrefoil(cv, cx, cy, r, into=None):
    m = into if into is not None else cv.blank()
    for k in range(4):
        ang = math.pi / 4 + k * math.pi / 2
        cv.disc(cx + math.cos(ang) * r * 0.55, cy + math.sin(ang) * r * 0.55,
                r * 0.5, into=m)
    cv.poly(circle_pts(cx, cy, r * 0.62, 4), into=m)
    return m


def feather(cv, root, angle, length, width, curl, into):
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
