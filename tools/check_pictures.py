#!/usr/bin/python3
"""Checks the launcher's artwork in res/pictures/ against what the program
relies on: sizes, file layouts, and where the colour key may appear.  What
the program relies on (button places and sizes, resource numbers, file
names) is read from its own sources through launcher_facts.py.

    /usr/bin/python3 tools/check_pictures.py [pictures-dir]

Exits non-zero and lists every problem found.
"""

import math
import os
import struct
import sys
import zlib

from PIL import Image

import launcher_facts as facts

KEY = facts.KEY
LANDING = facts.LANDING_ART
LANDING_SIZE = facts.LANDING_SIZE
PICTURE_AREA = facts.BROWSER_AREA
LANDING_BUTTONS = [facts.BUTTONS[name] for name in facts.LANDING_BUTTONS]
BUTTON_SPOTS = [(b.x, b.y, b.width, b.height) for b in LANDING_BUTTONS]
ICON = facts.APP_ICON
ICON_SIZE = facts.ICON_SIZE


def bitmaps():
    """{resource number: (size, key pixels required, the place in the
    landing artwork whose pixels the corners must repeat, or None)}."""
    table = {facts.TITLE_STRIP: (facts.STRIP_SIZE, 0, None),
             facts.LOGO: (facts.LOGO_SIZE, 0, None)}
    for button in facts.BUTTONS.values():
        keyed = facts.keyed_pixels(button.name)
        # A landing face without cut-out corners shows the artwork under it.
        under = ((button.x, button.y)
                 if button in LANDING_BUTTONS and not keyed else None)
        for face in (button.hover_face, button.plain_face):
            table[face] = (button.size, keyed, under)
    return table


BITMAPS = bitmaps()

# (hover, plain) pairs: the hover face must be the brighter one.
PAIRS = sorted((b.hover_face, b.plain_face) for b in facts.BUTTONS.values())

problems = []


def fail(msg):
    problems.append(msg)


def luminance(img, skip_key=True):
    total = n = 0
    for r, g, b in img.getdata():
        if skip_key and (r, g, b) == KEY:
            continue
        total += 0.299 * r + 0.587 * g + 0.114 * b
        n += 1
    return total / max(n, 1)


def key_pixels(img):
    return [(i % img.width, i // img.width)
            for i, p in enumerate(img.getdata()) if p[:3] == KEY]


# --------------------------------------------------------------------------

def png_chunks(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG signature")
    pos, chunks = 8, []
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        crc, = struct.unpack(">I", data[pos + 8 + length:pos + 12 + length])
        if zlib.crc32(kind + body) & 0xFFFFFFFF != crc:
            raise ValueError("bad CRC on %r chunk" % kind)
        chunks.append((kind, body))
        pos += 12 + length
        if kind == b"IEND":
            break
    return chunks


def check_landing(folder):
    path = os.path.join(folder, LANDING)
    data = open(path, "rb").read()
    try:
        chunks = png_chunks(data)
    except ValueError as e:
        fail(LANDING + ": %s" % e)
        return None
    kinds = [k for k, _ in chunks]
    if kinds[0] != b"IHDR":
        fail(LANDING + ": IHDR is not the first chunk")
        return None
    w, h, depth, ctype, comp, filt, interlace = struct.unpack(
        ">IIBBBBB", chunks[0][1])
    if (w, h) != LANDING_SIZE:
        fail(LANDING + ": size %dx%d, want %dx%d" % ((w, h) + LANDING_SIZE))
    if depth != 8 or ctype != 6:
        fail(LANDING + ": bit depth %d colour type %d, want 8-bit RGBA "
             "(8, 6)" % (depth, ctype))
    if interlace != 0:
        fail(LANDING + ": interlaced")
    first_idat = kinds.index(b"IDAT") if b"IDAT" in kinds else len(kinds)
    for need in (b"sRGB", b"gAMA", b"pHYs"):
        if need not in kinds:
            fail(LANDING + ": no %s chunk" % need.decode())
        elif kinds.index(need) > first_idat:
            fail(LANDING + ": %s chunk after the image data" % need.decode())
    if b"iCCP" in kinds and b"sRGB" in kinds:
        fail(LANDING + ": both iCCP and sRGB chunks")

    img = Image.open(path)
    img.load()
    if img.mode != "RGBA":
        fail(LANDING + ": decodes as %s, want RGBA" % img.mode)
        return None
    lo, hi = img.getchannel("A").getextrema()
    if lo != 255:
        fail(LANDING + ": some pixels are not fully opaque (min alpha %d)"
             % lo)
    rgb = img.convert("RGB")
    for corner in ((0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1)):
        if rgb.getpixel(corner) != KEY:
            fail(LANDING + ": corner %s is not the key colour" % (corner,))
    keyed = len(key_pixels(rgb))
    share = keyed / (w * h)
    if not 0.25 <= share <= 0.45:
        fail(LANDING + ": %d key pixels (%.0f%%), want roughly a third"
             % (keyed, share * 100))
    x0, y0, x1, y1 = PICTURE_AREA
    inside = rgb.crop(PICTURE_AREA)
    if key_pixels(inside):
        fail(LANDING + ": key colour inside the browser area")
    # The frame must close around the browser area on all four sides.
    for d in range(1, 25):
        ring = [(x, y0 - d) for x in range(x0 - d, x1 + d)]
        ring += [(x, y1 - 1 + d) for x in range(x0 - d, x1 + d)]
        ring += [(x0 - d, y) for y in range(y0 - d, y1 + d)]
        ring += [(x1 - 1 + d, y) for y in range(y0 - d, y1 + d)]
        bad = [p for p in ring if rgb.getpixel(p) == KEY]
        if bad:
            fail(LANDING + ": gap in the frame %d px out from the browser "
                 "area, e.g. at %s" % (d, bad[0]))
            break
    for x, y, bw, bh in BUTTON_SPOTS:
        spot = rgb.crop((x, y, x + bw, y + bh))
        if key_pixels(spot):
            fail(LANDING + ": the button at (%d,%d) would hang over the "
                 "void" % (x, y))
    return rgb


# --------------------------------------------------------------------------

def check_bitmap(folder, name, size, keyed, under, landing):
    path = os.path.join(folder, name)
    if not os.path.exists(path):
        fail("%s: missing" % name)
        return None
    data = open(path, "rb").read()
    if len(data) < 54 or data[:2] != b"BM":
        fail("%s: not a BMP file" % name)
        return None
    fsize, _, _, offset = struct.unpack("<IHHI", data[2:14])
    (hsize, w, h, planes, bpp, compression, image_size, _, _, used,
     _) = struct.unpack("<IiiHHIIiiII", data[14:54])
    stride = (w * 3 + 3) & ~3
    want = [("file size field", fsize, len(data)),
            ("info header size", hsize, 40),
            ("width", w, size[0]),
            ("height (positive = bottom-up)", h, size[1]),
            ("planes", planes, 1),
            ("bits per pixel", bpp, 24),
            ("compression", compression, 0),
            ("colours used", used, 0),
            ("pixel data offset (no colour table)", offset, 54),
            ("file length", len(data), 54 + stride * abs(h))]
    for what, got, expect in want:
        if got != expect:
            fail("%s: %s is %d, want %d" % (name, what, got, expect))
    if image_size not in (0, stride * abs(h)):
        fail("%s: image size field %d" % (name, image_size))
    img = Image.open(path).convert("RGB")
    keys = key_pixels(img)
    if len(keys) != keyed:
        fail("%s: %d key-coloured pixels, want %d"
             % (name, len(keys), keyed))
    # Keyed pixels may only cut away the corners outside the round face.
    cx, cy = size[0] / 2, size[1] / 2
    for x, y in keys:
        if math.hypot(x + 0.5 - cx, y + 0.5 - cy) < min(size) / 2:
            fail("%s: key colour at (%d,%d), inside the button"
                 % (name, x, y))
            break
    if under is not None:
        # Its corners show the landing artwork it sits on.
        x, y = under
        for px, py in ((0, 0), (size[0] - 1, 0), (0, size[1] - 1),
                       (size[0] - 1, size[1] - 1)):
            if landing is not None and img.getpixel((px, py)) != \
                    landing.getpixel((x + px, y + py)):
                fail("%s: corner (%d,%d) does not match %s under it"
                     % (name, px, py, LANDING))
    return img


def check_title_bar(pics):
    strip = pics.get(facts.TITLE_STRIP)
    if strip is None:
        return
    name = facts.picture_file(facts.TITLE_STRIP)
    col = [strip.getpixel((0, y)) for y in range(strip.height)]
    last = [strip.getpixel((strip.width - 1, y)) for y in range(strip.height)]
    if col != last:
        fail("%s: left and right edges differ, the tile would show a seam"
             % name)
    r = sum(p[0] for p in col) / len(col)
    g = sum(p[1] for p in col) / len(col)
    b = sum(p[2] for p in col) / len(col)
    if not (r > g > b and r - b > 60):
        fail("%s: not an orange band (mean %d,%d,%d)" % (name, r, g, b))
    # Plain faces continue the band at their edges.
    plain = [facts.BUTTONS[b].plain_face for b in facts.BAR_BUTTONS]
    for n in sorted(plain + [facts.LOGO]):
        img = pics.get(n)
        if img is None:
            continue
        for x in (0, img.width - 1):
            edge = [img.getpixel((x, y)) for y in range(img.height)]
            if edge != col:
                fail("%d: column %d does not match the title strip" % (n, x))
                break


def check_icon(folder):
    path = os.path.join(folder, ICON)
    if not os.path.exists(path):
        fail(ICON + ": missing")
        return
    data = open(path, "rb").read()
    n = ICON_SIZE
    pixels = n * n * 4
    mask = ((n + 31) // 32) * 4 * n
    image_len = 40 + pixels + mask
    if len(data) != 6 + 16 + image_len:
        fail(ICON + ": %d bytes, want %d" % (len(data),
                                                   6 + 16 + image_len))
        return
    reserved, kind, count = struct.unpack("<HHH", data[:6])
    if (reserved, kind, count) != (0, 1, 1):
        fail(ICON + ": header %d,%d,%d, want one icon" %
             (reserved, kind, count))
    w, h, colours, res, planes, bpp, size, offset = struct.unpack(
        "<BBBBHHII", data[6:22])
    for what, got, expect in (("width", w, n), ("height", h, n),
                              ("colour count", colours, 0),
                              ("reserved", res, 0), ("planes", planes, 1),
                              ("bits", bpp, 32),
                              ("bytes in resource", size, image_len),
                              ("image offset", offset, 22)):
        if got != expect:
            fail(ICON + ": entry %s is %d, want %d" % (what, got, expect))
    body = data[22:]
    if body[:8] == b"\x89PNG\r\n\x1a\n":
        fail(ICON + ": image stored as PNG, want BMP format")
        return
    (hsize, bw, bh, bplanes, bbits, comp, _, _, _, _, _) = struct.unpack(
        "<IiiHHIIiiII", body[:40])
    for what, got, expect in (("header size", hsize, 40), ("width", bw, n),
                              ("height (doubled)", bh, 2 * n),
                              ("planes", bplanes, 1), ("bits", bbits, 32),
                              ("compression", comp, 0)):
        if got != expect:
            fail(ICON + ": bitmap %s is %d, want %d"
                 % (what, got, expect))
    bgra = body[40:40 + pixels]
    if any(body[40 + pixels:]):
        fail(ICON + ": AND mask is not all zero")
    opaque = sum(1 for i in range(3, len(bgra), 4) if bgra[i] == 255)
    if opaque < n * n * 0.8:
        fail(ICON + ": only %d opaque pixels, the picture is missing"
             % opaque)
    colours = {bytes(bgra[i:i + 3]) for i in range(0, len(bgra), 4)}
    if len(colours) < 200:
        fail(ICON + ": only %d distinct colours, not a picture"
             % len(colours))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = (sys.argv[1] if len(sys.argv) > 1 else
              os.path.join(here, "..", "res", "pictures"))
    if not os.path.isdir(folder):
        print("check_pictures: no folder %s" % folder)
        return 2
    landing = None
    if os.path.exists(os.path.join(folder, LANDING)):
        landing = check_landing(folder)
    else:
        fail(LANDING + ": missing")
    pics = {}
    for number, (size, keyed, under) in sorted(BITMAPS.items()):
        img = check_bitmap(folder, facts.picture_file(number), size, keyed,
                           under, landing)
        if img is not None:
            pics[number] = img
    for hover, plain in PAIRS:
        if hover in pics and plain in pics:
            if luminance(pics[hover]) <= luminance(pics[plain]) + 2:
                fail("%d is not brighter than %d" % (hover, plain))
    check_title_bar(pics)
    check_icon(folder)
    if problems:
        print("check_pictures: %d problem(s) in %s" % (len(problems), folder))
        for p in problems:
            print("  - " + p)
        return 1
    print("check_pictures: all %d pictures OK" % (len(BITMAPS) + 2))
    return 0


if __name__ == "__main__":
    sys.exit(main())
