"""Curves through control points, in whatever units the caller uses."""

import math


def lerp(a, b, t):
    return a + (b - a) * t


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
